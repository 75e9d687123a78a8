#include "base/SettingsStore.h"

#include "base/modRegistry.h"

using namespace Qt::StringLiterals;

SettingsStore::SettingsStore(modRegistry &registry, QString userKey, QString machineKey)
    : m_registry(registry), m_userKey(std::move(userKey)), m_machineKey(std::move(machineKey))
{
}

QString SettingsStore::GetStringSetting(const QString &name, const QString &defaultValue)
{
    bool created = false;
    const QString value = m_registry.ReadStringValue(m_userKey, name, defaultValue, true, &created);
    // A value that cannot be read, or is too long to hold, counts as missing, so that the
    // program still gets working values: never a calls folder named "Error", and never
    // "Error" saved back over both stores.
    if (!created && value != modRegistry::ErrorText())
        return value;
    const QString machine = m_registry.ReadStringValue(m_machineKey, name, defaultValue, false);
    if (machine != modRegistry::ErrorText()) {
        m_registry.WriteStringValue(m_userKey, name, machine);
        return machine;
    }
    m_registry.WriteStringValue(m_machineKey, name, defaultValue);
    return defaultValue;
}

qint32 SettingsStore::GetLongSetting(const QString &name, qint32 defaultValue)
{
    bool created = false;
    const qint32 value = m_registry.ReadDWORDValue(m_userKey, name, defaultValue, true, &created);
    // A number that cannot be read (unreadable key, garbage text) counts as missing.
    if (!created && value != modRegistry::ErrorNumber)
        return value;
    const qint32 machine = m_registry.ReadDWORDValue(m_machineKey, name, defaultValue, false);
    if (machine != modRegistry::ErrorNumber) {
        m_registry.WriteDWORDValue(m_userKey, name, machine);
        return machine;
    }
    m_registry.WriteDWORDValue(m_machineKey, name, defaultValue);
    return defaultValue;
}

void SettingsStore::SaveStringSetting(const QString &name, const QString &text)
{
    m_registry.WriteStringValue(m_userKey, name, text);
    m_registry.WriteStringValue(m_machineKey, name, text);
}

void SettingsStore::SaveLongSetting(const QString &name, qint32 number)
{
    m_registry.WriteDWORDValue(m_userKey, name, number);
    m_registry.WriteDWORDValue(m_machineKey, name, number);
}

void SettingsStore::SaveSettings(const QList<std::pair<QString, QVariant>> &values)
{
    m_registry.WriteValues(m_userKey, values);
    m_registry.WriteValues(m_machineKey, values);
}

void SettingsStore::SaveFormValue(const QString &name, const QString &text)
{
    SaveUserValue(u"Form Position"_s, name, text);
}

QString SettingsStore::ReadFormValue(const QString &name)
{
    return ReadUserValue(u"Form Position"_s, name);
}

void SettingsStore::SaveUserValue(const QString &group, const QString &name, const QString &text)
{
    m_registry.WriteStringValue(m_userKey + u'\\' + group, name, text);
}

QString SettingsStore::ReadUserValue(const QString &group, const QString &name)
{
    const QString text = m_registry.ReadStringValue(m_userKey + u'\\' + group, name, QString(), false);
    return text == modRegistry::ErrorText() ? QString() : text;
}
