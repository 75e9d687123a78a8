#include "base/modRegistry.h"

#include "base/FileAccess.h"
#include "base/Prompts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

std::optional<modRegistry::Key> modRegistry::ParseKey(const QString &path) const
{
    if (!path.startsWith(u"HKEY_"_s) || path.endsWith(u'\\')) {
        m_prompts.msgBox(QCoreApplication::translate("modRegistry", "Incorrect Format:\n\n%1").arg(path), Prompts::OkOnly, Prompts::NoIcon,
                         QString());
        return std::nullopt;
    }
    const qsizetype slash = path.indexOf(u'\\');
    Key key;
    key.hive = HiveFromName(slash < 0 ? path : path.left(slash));
    key.subKey = slash < 0 ? QString() : path.mid(slash + 1);
    return key;
}

quint32 modRegistry::HiveFromName(const QString &name)
{
    static const std::pair<const char16_t *, quint32> hives[] = {
        {u"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
        {u"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
        {u"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
        {u"HKEY_USERS", HKEY_USERS},
        {u"HKEY_PERFORMANCE_DATA", HKEY_PERFORMANCE_DATA},
        {u"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG},
        {u"HKEY_DYN_DATA", HKEY_DYN_DATA},
    };
    for (const auto &[hiveName, hive] : hives)
        if (name == QStringView(hiveName))
            return hive;
    return 0;
}

static QString hiveFolder(quint32 hive)
{
    if (hive == modRegistry::HKEY_CURRENT_USER) {
        const QString home = qEnvironmentVariable("XDG_CONFIG_HOME");
        return home.isEmpty() ? QDir::homePath() + u"/.config"_s : home;
    }
    if (hive == modRegistry::HKEY_LOCAL_MACHINE) {
        const QString dirs = qEnvironmentVariable("XDG_CONFIG_DIRS");
        const QString first = dirs.section(u':', 0, 0);
        return first.isEmpty() ? u"/etc/xdg"_s : first;
    }
    return QString();
}

modRegistry::Location modRegistry::LocationOf(const Key &key)
{
    const QString folder = hiveFolder(key.hive);
    const QStringList parts = key.subKey.split(u'\\', Qt::SkipEmptyParts);
    // Registry paths are case-insensitive: "Software" and "SOFTWARE" are one key.
    if (folder.isEmpty() || parts.size() < 2 || parts[0].compare(u"software"_s, Qt::CaseInsensitive))
        return {};
    const QString app = parts[1];
    return {folder + u'/' + app + u'/' + app + u".conf"_s, parts.mid(2).join(u'/')};
}

void modRegistry::CreateKey(const QString &path)
{
    const auto key = ParseKey(path);
    if (!key || !key->hive)
        return;
    const Location loc = LocationOf(*key);
    if (loc.file.isEmpty())
        return;
    // The user's settings are theirs alone; the machine's seed every user of the PC.
    const bool machine = key->hive == HKEY_LOCAL_MACHINE;
    FileAccess::MakeFolders(QFileInfo(loc.file).path(), machine ? 0755 : 0700);
    const QByteArray name = QFile::encodeName(loc.file);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
        ::fchmod(fd, machine ? 0644 : 0600);
        ::close(fd);
    }
}

// Access as the effective user: a set-uid helper or a dropped privilege counts.
static bool mayAccess(const QString &path, int mode)
{
    return euidaccess(QFile::encodeName(path).constData(), mode) == 0;
}

modRegistry::Read modRegistry::readRaw(const Key &key, const QString &name, QString *text)
{
    const Location loc = LocationOf(key);
    const QFileInfo info(loc.file);
    if (loc.file.isEmpty() || !info.isFile() || !mayAccess(loc.file, R_OK))
        return Read::Failed;
    QSettings settings(loc.file, QSettings::IniFormat);
    if (!loc.group.isEmpty())
        settings.beginGroup(loc.group);
    const QVariant value = settings.value(name);
    if (!value.isValid())
        return Read::Missing;
    // An unquoted value with commas, typed by hand, comes back as a list.
    *text = value.typeId() == QMetaType::QStringList ? value.toStringList().join(u',')
                                                      : value.toString();
    return Read::Value;
}

bool modRegistry::writeRaw(const Key &key, const QList<std::pair<QString, QVariant>> &values)
{
    if (!key.hive)
        return false;
    const Location loc = LocationOf(key);
    // Only an existing key is written; a key the user may not write is skipped silently.
    // The rewrite also needs the folder, for its temporary file and its lock.
    const QFileInfo info(loc.file);
    if (loc.file.isEmpty() || !info.isFile() || !mayAccess(loc.file, W_OK)
        || !mayAccess(info.path(), W_OK | X_OK))
        return false;
    QSettings settings(loc.file, QSettings::IniFormat);
    if (!loc.group.isEmpty())
        settings.beginGroup(loc.group);
    for (const auto &[name, value] : values)
        settings.setValue(name, value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

QString modRegistry::ReadStringValue(const QString &path, const QString &name,
                                     const QString &defaultValue, bool createIfMissing,
                                     bool *created)
{
    if (created)
        *created = false;
    const auto key = ParseKey(path);
    if (!key || !key->hive)
        return QString();
    QString text;
    switch (readRaw(*key, name, &text)) {
    case Read::Value:
        // The stored text and its terminating NUL must fit the buffer.
        if (text.toUtf8().size() + 1 > TextBufferBytes)
            return ErrorText();
        return text;
    case Read::Missing:
        if (!createIfMissing)
            return ErrorText();
        writeRaw(*key, {{name, defaultValue}});
        if (created)
            *created = true;
        return defaultValue;
    case Read::Failed:
        break;
    }
    return ErrorText();
}

void modRegistry::WriteStringValue(const QString &path, const QString &name, const QString &text)
{
    if (const auto key = ParseKey(path))
        writeRaw(*key, {{name, text}});
}

qint32 modRegistry::ReadDWORDValue(const QString &path, const QString &name, qint32 defaultValue,
                                   bool createIfMissing, bool *created)
{
    if (created)
        *created = false;
    const auto key = ParseKey(path);
    if (!key || !key->hive)
        return 0;
    QString text;
    switch (readRaw(*key, name, &text)) {
    case Read::Value: {
        bool ok = false;
        const qint64 n = text.trimmed().toLongLong(&ok);
        if (!ok || n < INT32_MIN || n > UINT32_MAX)
            return ErrorNumber;
        return qint32(quint32(n)); // 4294967295 is -1, as a DWORD read back signed
    }
    case Read::Missing:
        if (!createIfMissing)
            return ErrorNumber;
        writeRaw(*key, {{name, defaultValue}});
        if (created)
            *created = true;
        return defaultValue;
    case Read::Failed:
        break;
    }
    return ErrorNumber;
}

void modRegistry::WriteDWORDValue(const QString &path, const QString &name, qint32 number)
{
    if (const auto key = ParseKey(path))
        writeRaw(*key, {{name, number}});
}

void modRegistry::WriteValues(const QString &path, const QList<std::pair<QString, QVariant>> &values)
{
    if (const auto key = ParseKey(path))
        writeRaw(*key, values);
}
