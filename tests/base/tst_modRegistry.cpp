#include "base/modRegistry.h"
#include "ScriptedPrompts.h"
#include "TempSettingsRoots.h"
#include "TestFiles.h"

#include <QDirIterator>
#include <QFile>
#include <QtTest>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

static const QString UserKey = u"HKEY_CURRENT_USER\\SOFTWARE\\Voxmere"_s;

// Fresh stores; the user key exists unless asked otherwise.
struct Rig
{
    TempSettingsRoots roots;
    ScriptedPrompts prompts;
    modRegistry reg{prompts};
    explicit Rig(bool withKey = true) { if (withKey) reg.CreateKey(UserKey); }
};

class tst_modRegistry : public QObject
{
    Q_OBJECT

private slots:
    void badKeyPaths_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("malformed");
        QTest::newRow("hive without a store") << u"HKEY_USERS"_s << false;
        QTest::newRow("unknown hive") << u"HKEY_BOGUS\\SOFTWARE\\Voxmere"_s << false;
        QTest::newRow("no HKEY_") << u"SOFTWARE\\Voxmere"_s << true;
        QTest::newRow("lower case") << u"hkey_current_user\\SOFTWARE\\Voxmere"_s << true;
        QTest::newRow("trailing backslash") << UserKey + u'\\' << true;
    }
    // Such a path creates, writes and reads nothing; a malformed one says so each time.
    void badKeyPaths()
    {
        QFETCH(QString, path);
        QFETCH(bool, malformed);
        Rig rig(false);
        rig.reg.CreateKey(path);
        rig.reg.WriteDWORDValue(path, u"N"_s, 1);
        bool created = true;
        QVERIFY(rig.reg.ReadStringValue(path, u"A"_s, u"d"_s, true, &created) != u"d"_s && !created);
        QVERIFY(rig.reg.ReadDWORDValue(path, u"N"_s, 7, true, &created) != 7 && !created);
        QVERIFY(!QDirIterator(rig.roots.path(), QDir::Files, QDirIterator::Subdirectories).hasNext());
        QCOMPARE(rig.prompts.texts(), malformed ? QStringList(4, u"Incorrect Format:\n\n"_s + path) : QStringList());
        QVERIFY(!malformed || rig.prompts.shown()[0].buttons == Prompts::OkOnly);
    }

    void readsAndWrites()
    {
        Rig rig(false);
        modRegistry &reg = rig.reg;
        // Without the key nothing is written or created.
        reg.WriteStringValue(UserKey, u"A"_s, u"x"_s);
        QCOMPARE(reg.ReadStringValue(UserKey, u"A"_s, u"d"_s, true), modRegistry::ErrorText());
        QVERIFY(!QFile::exists(rig.roots.userFile()));
        // "Software" and "SOFTWARE" are one key.
        reg.CreateKey(u"HKEY_CURRENT_USER\\Software\\Voxmere"_s);
        QCOMPARE(reg.ReadStringValue(UserKey, u"A"_s, u"d"_s, true), u"d"_s);
        QCOMPARE(reg.ReadStringValue(UserKey, u"A"_s, u"other"_s, true), u"d"_s);
        reg.WriteDWORDValue(UserKey, u"N"_s, INT32_MIN);
        QCOMPARE(reg.ReadDWORDValue(UserKey, u"N"_s, 0, false), INT32_MIN);
    }

    void text_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("readBack");
        // The enciphered password is bytes: every one of them must come back.
        QString bytes = u"  "_s;
        for (int i = 0; i < 256; ++i)
            bytes += QChar(char16_t(i));
        bytes += u" trailing  \0"_s;
        const QString longest = u'/' + QString(modRegistry::TextBufferBytes - 2, u'a');
        QTest::newRow("every byte, NUL, spaces") << bytes << bytes;
        QTest::newRow("a path filling the buffer") << longest << longest;
        QTest::newRow("one byte more") << longest + u'a' << modRegistry::ErrorText();
    }
    void text()
    {
        QFETCH(QString, text);
        Rig rig;
        rig.reg.WriteStringValue(UserKey, u"PW"_s, text);
        QTEST(rig.reg.ReadStringValue(UserKey, u"PW"_s, QString(), false), "readBack");
    }

    void corruptFileGivesNoCrash()
    {
        Rig rig;
        QVERIFY(TestFiles::write(rig.roots.userFile(), QByteArray("\x00\xff[Gen\neral\n=x\nN=12abc\n\x01\x02 garbage", 36)));
        QCOMPARE(rig.reg.ReadDWORDValue(UserKey, u"N"_s, 1, false), modRegistry::ErrorNumber);
        QCOMPARE(rig.reg.ReadStringValue(UserKey, u"CallPath"_s, u"d"_s, false), modRegistry::ErrorText());
        rig.reg.WriteDWORDValue(UserKey, u"N"_s, 4);
        QCOMPARE(rig.reg.ReadDWORDValue(UserKey, u"N"_s, 1, false), 4);
    }

    // Writes from another process at the same moment are not lost; a writer killed at any
    // moment leaves the old or the new file, never a torn one.
    void otherWritersLoseNothing()
    {
        Rig rig;
        const QString big(2000, u'x');
        for (int round = 0; round < 10; ++round) {
            const pid_t child = fork();
            QVERIFY(child >= 0);
            for (int i = 0; child == 0; ++i)
                modRegistry(rig.prompts).WriteDWORDValue(UserKey, u"Counter"_s, i);
            for (int i = round * 4; i < round * 4 + 4; ++i)
                rig.reg.WriteStringValue(UserKey, u"Mine"_s + QString::number(i), big + QString::number(i));
            usleep(20000 + 7000 * round);
            kill(child, SIGKILL);
            waitpid(child, nullptr, 0);
            for (int i = 0; i < round * 4 + 4; ++i)
                QCOMPARE(rig.reg.ReadStringValue(UserKey, u"Mine"_s + QString::number(i), {}, false), big + QString::number(i));
        }
    }
};

QTEST_GUILESS_MAIN(tst_modRegistry)
#include "tst_modRegistry.moc"
