#pragma once

#include <QString>
#include <QVariant>
#include <optional>

class Prompts;

// The thin registry wrapper. A key "HIVE\Software\<App>[\Sub...]" lives in the INI file
// <hive folder>/<App>/<App>.conf (deeper sub-keys are groups in it):
//   HKEY_CURRENT_USER  -> $XDG_CONFIG_HOME (default ~/.config)
//   HKEY_LOCAL_MACHINE -> the first folder of $XDG_CONFIG_DIRS (default /etc/xdg)
// A key exists when its file does. Nothing is cached: every operation opens the file,
// and every write is an atomic, locked rewrite, so another process loses no value.
class modRegistry
{
public:
    static constexpr quint32 HKEY_CLASSES_ROOT = 0x80000000;
    static constexpr quint32 HKEY_CURRENT_USER = 0x80000001;
    static constexpr quint32 HKEY_LOCAL_MACHINE = 0x80000002;
    static constexpr quint32 HKEY_USERS = 0x80000003;
    static constexpr quint32 HKEY_PERFORMANCE_DATA = 0x80000004;
    static constexpr quint32 HKEY_CURRENT_CONFIG = 0x80000005;
    static constexpr quint32 HKEY_DYN_DATA = 0x80000006;

    // What failed reads yield; a stored "Error" or 0xDEADBEEF cannot be told from them.
    static QString ErrorText() { return QStringLiteral("Error"); }
    static constexpr qint32 ErrorNumber = qint32(0xDEADBEEF);
    // Text buffer size: the platform's longest path, terminating NUL included.
    static constexpr int TextBufferBytes = 4096;

    struct Key
    {
        quint32 hive = 0;
        QString subKey;
    };

    explicit modRegistry(Prompts &prompts) : m_prompts(prompts) {}

    // Splits "HKEY_...\sub\key"; a malformed path shows "Incorrect Format:" and gives nothing.
    std::optional<Key> ParseKey(const QString &path) const;
    static quint32 HiveFromName(const QString &name);

    void CreateKey(const QString &path);
    QString ReadStringValue(const QString &path, const QString &name, const QString &defaultValue,
                            bool createIfMissing, bool *created = nullptr);
    void WriteStringValue(const QString &path, const QString &name, const QString &text);
    qint32 ReadDWORDValue(const QString &path, const QString &name, qint32 defaultValue,
                          bool createIfMissing, bool *created = nullptr);
    void WriteDWORDValue(const QString &path, const QString &name, qint32 number);
    // Several values in one rewrite of the key: texts as QString, numbers as qint32.
    void WriteValues(const QString &path, const QList<std::pair<QString, QVariant>> &values);

    // Where a key is kept; empty file name when the key has no place on this platform.
    struct Location
    {
        QString file;
        QString group;
    };
    static Location LocationOf(const Key &key);

private:
    enum class Read { Value, Missing, Failed };
    static Read readRaw(const Key &key, const QString &name, QString *text);
    static bool writeRaw(const Key &key, const QList<std::pair<QString, QVariant>> &values);

    Prompts &m_prompts;
};
