#include "MoverFixture.h"

#include "ScriptedPrompts.h"
#include "base/modRegistry.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTest>

#include <sys/mount.h>

using namespace Qt::StringLiterals;

MoverFixture::MoverFixture()
{
    QDir().mkpath(wavs());
}

MoverFixture::~MoverFixture()
{
    for (const QString &dir : std::as_const(m_mounts))
        ::umount2(QFile::encodeName(dir).constData(), MNT_DETACH);
}

void MoverFixture::writeSettings(const QString &wavs, const QString &callPath)
{
    ScriptedPrompts prompts;
    modRegistry registry(prompts);
    const QString userKey = u"HKEY_CURRENT_USER\\SOFTWARE\\Voxmere"_s;
    registry.CreateKey(userKey);
    registry.WriteStringValue(userKey, u"wavs"_s, wavs);
    if (!callPath.isEmpty())
        registry.WriteStringValue(userKey, u"CallPath"_s, callPath);
    QVERIFY(prompts.shown().isEmpty());
}

bool MoverFixture::mountTmpfs(const QString &dir, const char *size)
{
    QDir().mkpath(dir);
    const QByteArray options = QByteArray("size=") + size;
    if (::mount("tmpfs", QFile::encodeName(dir).constData(), "tmpfs", 0, options.constData()) != 0)
        return false;
    m_mounts << dir;
    return true;
}

QByteArray MoverFixture::content(quint32 seed, qsizetype size)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &c : bytes)
        c = char(random.bounded(256));
    return bytes;
}

void MoverFixture::writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray MoverFixture::readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList MoverFixture::filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}
