#pragma once

#include <QList>
#include <QString>
#include <QVariant>

class modRegistry;

// Settings over the two keys: read from the user's key, seeded from the machine's key,
// and every write mirrored into both.
class SettingsStore
{
public:
    SettingsStore(modRegistry &registry, QString userKey, QString machineKey);

    QString GetStringSetting(const QString &name, const QString &defaultValue);
    qint32 GetLongSetting(const QString &name, qint32 defaultValue);
    void SaveStringSetting(const QString &name, const QString &text);
    void SaveLongSetting(const QString &name, qint32 number);
    // Many values with one rewrite of each key (texts as QString, numbers as qint32).
    void SaveSettings(const QList<std::pair<QString, QVariant>> &values);

    // The "Form Position" store: text values in the user's key only.
    void SaveFormValue(const QString &name, const QString &text);
    QString ReadFormValue(const QString &name);
    // Text values of a group of the user's key only ("Form Position", "Player"); empty
    // when there is none.
    void SaveUserValue(const QString &group, const QString &name, const QString &text);
    QString ReadUserValue(const QString &group, const QString &name);

    modRegistry &registry() { return m_registry; }
    const QString &UserKey() const { return m_userKey; }
    const QString &MachineKey() const { return m_machineKey; }

private:
    modRegistry &m_registry;
    QString m_userKey;
    QString m_machineKey;
};
