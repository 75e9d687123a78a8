#include "ScriptedPrompts.h"
#include "TempSettingsRoots.h"
#include "base/modRegistry.h"

#include <QFile>
#include <QSettings>
#include <QtTest>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

static const QString UserKey = u"HKEY_CURRENT_USER\\SOFTWARE\\Voxmere"_s;
static const QString MachineKey = u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Voxmere"_s;

class tst_modRegistry : public QObject
{
    Q_OBJECT

private slots:
    void parseKey_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<quint32>("hive");
        QTest::addColumn<QString>("subKey");
        QTest::newRow("user") << UserKey << true << modRegistry::HKEY_CURRENT_USER << u"SOFTWARE\\Voxmere"_s;
        QTest::newRow("hive alone") << u"HKEY_USERS"_s << true << modRegistry::HKEY_USERS << QString();
        QTest::newRow("dyn data") << u"HKEY_DYN_DATA\\x"_s << true << modRegistry::HKEY_DYN_DATA << u"x"_s;
        QTest::newRow("unknown hive") << u"HKEY_NOWHERE\\x"_s << true << 0u << u"x"_s;
        QTest::newRow("no HKEY_") << u"SOFTWARE\\Voxmere"_s << false << 0u << QString();
        QTest::newRow("lower case") << u"hkey_current_user\\x"_s << false << 0u << QString();
        QTest::newRow("trailing backslash") << u"HKEY_CURRENT_USER\\SOFTWARE\\"_s << false << 0u << QString();
    }
    void parseKey()
    {
        QFETCH(QString, path);
        QFETCH(bool, valid);
        QFETCH(quint32, hive);
        QFETCH(QString, subKey);
        ScriptedPrompts prompts;
        modRegistry reg(prompts);
        const auto key = reg.ParseKey(path);
        QCOMPARE(key.has_value(), valid);
        if (valid) {
            QCOMPARE(key->hive, hive);
            QCOMPARE(key->subKey, subKey);
            QVERIFY(prompts.shown().isEmpty());
        } else {
            QCOMPARE(prompts.texts(), QStringList{u"Incorrect Format:\n\n"_s + path});
            QCOMPARE(prompts.shown()[0].buttons, Prompts::OkOnly);
        }
    }

    // A malformed path stops the operation: nothing is read, created or written.
    void malformedPathTouchesNothing()
    {
        TempSettingsRoots roots;
        ScriptedPrompts prompts;
        modRegistry reg(prompts);
        reg.CreateKey(u"HKEY_CURRENT_USER\\SOFTWARE\\Voxmere\\"_s);
        QVERIFY(!QFile::exists(roots.userFile()));
        bool created = true;
        QCOMPARE(reg.ReadStringValue(u"SOFTWARE\\Voxmere"_s, u"A"_s, u"d"_s, true, &created), QString());
        QVERIFY(!created);
        QCOMPARE(prompts.shown().size(), 2);
    }

    void unknownHiveDoesNothing()
    {
        TempSettingsRoots roots;
        ScriptedPrompts prompts;
        modRegistry reg(prompts);
        bool created = true;
        QCOMPARE(reg.ReadStringValue(u"HKEY_BOGUS\\SOFTWARE\\Voxmere"_s, u"A"_s, u"d"_s, true, &created), QString());
        QVERIFY(!created);
        QCOMPARE(reg.ReadDWORDValue(u"HKEY_BOGUS\\SOFTWARE\\Voxmere"_s, u"A"_s, 7, true, &created), 0);
        QVERIFY(!created);
        QVERIFY(prompts.shown().isEmpty());
    }

    void readsAndWrites()
    {
        TempSettingsRoots roots;
        ScriptedPrompts prompts;
        modRegistry reg(prompts);
        // Without the key nothing is written and reads fail.
        reg.WriteStringValue(UserKey, u"A"_s, u"x"_s);
        QVERIFY(!QFile::exists(roots.userFile()));
        QCOMPARE(reg.ReadStringValue(UserKey, u"A"_s, u"d"_s, true), modRegistry::ErrorText());
        QCOMPARE(reg.ReadDWORDValue(UserKey, u"N"_s, 3, true), modRegistry::ErrorNumber);

        // "Software" and "SOFTWARE" are one key.
        reg.CreateKey(u"HKEY_CURRENT_USER\\Software\\Voxmere"_s);
        QVERIFY(QFile::exists(roots.userFile()));
        bool created = false;
        QCOMPARE(reg.ReadStringValue(UserKey, u"A"_s, u"d"_s, false, &created), modRegistry::ErrorText());
        QVERIFY(!created);
        QCOMPARE(reg.ReadStringValue(UserKey, u"A"_s, u"d"_s, true, &created), u"d"_s);
        QVERIFY(created);
        QCOMPARE(reg.ReadStringValue(UserKey, u"A"_s, u"other"_s, true, &created), u"d"_s);
        QVERIFY(!created);

        reg.WriteDWORDValue(UserKey, u"N"_s, -18);
        QCOMPARE(reg.ReadDWORDValue(UserKey, u"N"_s, 0, false), -18);
        reg.WriteDWORDValue(UserKey, u"N"_s, INT32_MIN);
        QCOMPARE(reg.ReadDWORDValue(UserKey, u"N"_s, 0, false), INT32_MIN);
        QCOMPARE(reg.ReadDWORDValue(UserKey, u"Missing"_s, 5, true, &created), 5);
        QVERIFY(created);
        // Text where a number belongs is a failed read.
        QCOMPARE(reg.ReadDWORDValue(UserKey, u"A"_s, 0, false), modRegistry::ErrorNumber);
        // The stored sentinels look like failures.
        reg.WriteStringValue(UserKey, u"S"_s, u"Error"_s);
        QCOMPARE(reg.ReadStringValue(UserKey, u"S"_s, u"d"_s, false), modRegistry::ErrorText());
        QVERIFY(prompts.shown().isEmpty());
    }

    // The enciphered password is bytes: every one of them must come back.
    void textKeepsEveryByte()
    {
        TempSettingsRoots roots;
        ScriptedPrompts prompts;
        modRegistry reg(prompts);
        reg.CreateKey(UserKey);
        QString all;
        for (int i = 0; i < 256; ++i)
            all += QChar(char16_t(i));
        all += u" trailing  "_s;
        const QString text = u"  "_s + all + QChar(u'\0');
        reg.WriteStringValue(UserKey, u"PW"_s, text);
        QCOMPARE(reg.ReadStringValue(UserKey, u"PW"_s, QString(), false), text);
        QCOMPARE(reg.ReadStringValue(UserKey, u"Empty"_s, QString(), true), QString());
        QCOMPARE(reg.ReadStringValue(UserKey, u"Empty"_s, u"x"_s, true), QString());
    }

    void textBufferIsALongPath()
    {
        TempSettingsRoots roots;
        ScriptedPrompts prompts;
        modRegistry reg(prompts);
        reg.CreateKey(UserKey);
        const QString longest = u'/' + QString(modRegistry::TextBufferBytes - 2, u'a');
        reg.WriteStringValue(UserKey, u"CallPath"_s, longest);
        QCOMPARE(reg.ReadStringValue(UserKey, u"CallPath"_s, QString(), false), longest);
        reg.WriteStringValue(UserKey, u"CallPath"_s, longest + u'a');
        QCOMPARE(reg.ReadStringValue(UserKey, u"CallPath"_s, QString(), false), modRegistry::ErrorText());
    }

    void corruptFileGivesNoCrash()
    {
        TempSettingsRoots roots;
        ScriptedPrompts prompts;
        modRegistry reg(prompts);
        reg.CreateKey(UserKey);
        QFile f(roots.userFile());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("\x00\xff[Gen\neral\n=x\nN=12abc\n\x01\x02 garbage", 36);
        f.close();
        QCOMPARE(reg.ReadDWORDValue(UserKey, u"N"_s, 1, false), modRegistry::ErrorNumber);
        QCOMPARE(reg.ReadStringValue(UserKey, u"CallPath"_s, u"d"_s, false), modRegistry::ErrorText());
        reg.WriteDWORDValue(UserKey, u"N"_s, 4);
        QCOMPARE(reg.ReadDWORDValue(UserKey, u"N"_s, 1, false), 4);
    }

    void unwritableKeyIsSkippedSilently()
    {
        TempSettingsRoots roots;
        ScriptedPrompts prompts;
        modRegistry reg(prompts);
        reg.CreateKey(MachineKey);
        reg.WriteDWORDValue(MachineKey, u"N"_s, 1);
        QFile::setPermissions(roots.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                  | QFileDevice::ExeOwner | QFileDevice::ReadOther | QFileDevice::ExeOther);
        QFile::setPermissions(roots.machineFile(), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                       | QFileDevice::ReadOther);
        AsUnprivilegedUser nobody;
        if (!nobody.active() && geteuid() == 0)
            QSKIP("cannot drop root privileges here");
        reg.WriteDWORDValue(MachineKey, u"N"_s, 2);
        QCOMPARE(reg.ReadDWORDValue(MachineKey, u"N"_s, 0, false), 1);
        QVERIFY(prompts.shown().isEmpty());
    }

    // Two processes writing different values at once lose none of them.
    void concurrentWritersLoseNothing()
    {
        TempSettingsRoots roots;
        ScriptedPrompts prompts;
        modRegistry reg(prompts);
        reg.CreateKey(UserKey);
        constexpr int N = 40;
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            modRegistry childReg(prompts);
            for (int i = 0; i < N; ++i)
                childReg.WriteDWORDValue(UserKey, u"child"_s + QString::number(i), i);
            _exit(0);
        }
        for (int i = 0; i < N; ++i)
            reg.WriteDWORDValue(UserKey, u"parent"_s + QString::number(i), i);
        int status = 0;
        waitpid(child, &status, 0);
        QCOMPARE(WEXITSTATUS(status), 0);
        for (int i = 0; i < N; ++i) {
            QCOMPARE(reg.ReadDWORDValue(UserKey, u"child"_s + QString::number(i), -1, false), i);
            QCOMPARE(reg.ReadDWORDValue(UserKey, u"parent"_s + QString::number(i), -1, false), i);
        }
    }

    // A writer killed at any moment leaves the old or the new file, never a torn one.
    void killedWriterLeavesAWholeFile()
    {
        TempSettingsRoots roots;
        ScriptedPrompts prompts;
        modRegistry reg(prompts);
        reg.CreateKey(UserKey);
        const QString big(2000, u'x');
        for (int k = 0; k < 8; ++k)
            reg.WriteStringValue(UserKey, u"Fixed"_s + QString::number(k), big);
        for (int round = 0; round < 10; ++round) {
            const pid_t child = fork();
            QVERIFY(child >= 0);
            if (child == 0) {
                modRegistry childReg(prompts);
                for (int i = 0;; ++i)
                    childReg.WriteDWORDValue(UserKey, u"Counter"_s, i);
            }
            usleep(20000 + 7000 * round);
            kill(child, SIGKILL);
            waitpid(child, nullptr, 0);
            for (int k = 0; k < 8; ++k)
                QCOMPARE(reg.ReadStringValue(UserKey, u"Fixed"_s + QString::number(k), QString(), false), big);
        }
    }
};

QTEST_GUILESS_MAIN(tst_modRegistry)
#include "tst_modRegistry.moc"
