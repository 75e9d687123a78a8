#include "base/modRegistry.h"
#include "base/ProgramSettings.h"
#include "base/SettingsStore.h"
#include "ScriptedPrompts.h"
#include "TempSettingsRoots.h"
#include "TestFiles.h"

#include <QSettings>
#include <QtTest>

#include <unistd.h>

using namespace Qt::StringLiterals;

static const QString UserKey = u"HKEY_CURRENT_USER\\SOFTWARE\\Voxmere"_s;
static const QString MachineKey = u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Voxmere"_s;

// The two stores of one PC, as the program opens them at start.
struct Fixture
{
    TempSettingsRoots roots;
    ScriptedPrompts prompts;
    modRegistry reg{prompts};
    SettingsStore store{reg, UserKey, MachineKey};
    ProgramSettings s;
    Fixture() { reg.CreateKey(UserKey); reg.CreateKey(MachineKey); }
    bool start() { return s.GetRegistrySettings(store, prompts); }
};

class tst_ProgramSettings : public QObject
{
    Q_OBJECT

private slots:
    void layeredRead_data()
    {
        QTest::addColumn<int>("layers"); // 0 none, 1 the machine's, 2 both
        QTest::addColumn<QString>("message");
        QTest::newRow("new PC: defaults") << 0 << u"It would appear that Voxmere has not been used on this PC before - please check your configuration"_s;
        QTest::newRow("new user: the machine's") << 1 << u"It would appear that you have never used Voxmere before - please check your configuration"_s;
        QTest::newRow("known user: the user's") << 2 << QString();
    }
    // The user's value, else the machine's, else the default; then mirrored into both.
    void layeredRead()
    {
        QFETCH(int, layers);
        QFETCH(QString, message);
        Fixture f;
        const QString paths[] = {ProgramSettings::DefaultCallPath(), u"/m/"_s, u"/u/"_s};
        const qint32 sensitivities[] = {-18, -30, -40};
        const QString pws[] = {QString(), u"\x01m\0x"_s, u"\x02u\0y"_s};
        for (int i = 1; i <= layers; ++i)
            f.reg.WriteValues(i == 1 ? MachineKey : UserKey, {{u"CallPath"_s, paths[i]}, {u"Sensitivity"_s, sensitivities[i]}, {u"PW"_s, pws[i]}});
        QVERIFY(f.start());
        QCOMPARE(f.prompts.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(f.s.CallPath, paths[layers]);
        QCOMPARE(f.s.Sensitivity, sensitivities[layers]);
        QCOMPARE(f.s.PW, pws[layers]);
        QVERIFY(layers || (!f.s.AutoRecord && f.s.AddNote && f.s.Maximise && f.s.CanPlay && f.s.CanDelete && f.s.GsmFlag && !f.s.SD
                           && !f.s.Minimised && !f.s.PlayOwnOnly && !f.s.DeleteOwnOnly && f.s.CallTimeOut == 5
                           && f.s.MinCallLength == 10 && f.s.PreRoll == 3 && f.s.SearchPath == f.s.CallPath));
        QCOMPARE(f.reg.ReadStringValue(UserKey, u"PW"_s, {}, false), f.s.PW);
        QCOMPARE(f.reg.ReadDWORDValue(MachineKey, u"Sensitivity"_s, 0, false), f.s.Sensitivity);
        // All 18 values and the password, in both stores: the next start is no first run.
        QCOMPARE(QSettings(f.roots.userFile(), QSettings::IniFormat).childKeys().size(), 19);
        QCOMPARE(QSettings(f.roots.machineFile(), QSettings::IniFormat).childKeys(),
                 QSettings(f.roots.userFile(), QSettings::IniFormat).childKeys());
        QCOMPARE(TestFiles::mode(f.roots.userFile()), 0600); // rewritten, still the user's alone
    }

    void storedValues_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("stored"); // null: the user's file is a folder, so unreadable
        QTest::addColumn<QString>("savedBack");
        QTest::newRow("Format 1 is PCM") << u"Format"_s << u"1"_s << u"1"_s;
        QTest::newRow("Format 7 is out of range: GSM") << u"Format"_s << u"7"_s << u"0"_s;
        QTest::newRow("CallTimeOut 1 is out of range") << u"CallTimeOut"_s << u"1"_s << u"5"_s;
        QTest::newRow("Sensitivity 3 is out of range") << u"Sensitivity"_s << u"3"_s << u"-18"_s;
        QTest::newRow("MinCallLength 61 is out of range") << u"MinCallLength"_s << u"61"_s << u"10"_s;
        QTest::newRow("PreRoll 10 is kept") << u"PreRoll"_s << u"10"_s << u"10"_s;
        QTest::newRow("PreRoll -1 is out of range") << u"PreRoll"_s << u"-1"_s << u"3"_s;
        QTest::newRow("empty CallPath") << u"CallPath"_s << u""_s << ProgramSettings::DefaultCallPath();
        QTest::newRow("empty SearchPath") << u"SearchPath"_s << u""_s << u"/c/"_s;
        QTest::newRow("SD -1 does not forbid closing") << u"SD"_s << u"-1"_s << u"0"_s;
        QTest::newRow("SD 1 forbids closing") << u"SD"_s << u"1"_s << u"1"_s;
        QTest::newRow("text for a number") << u"CallTimeOut"_s << u"soon"_s << u"5"_s;
        QTest::newRow("SearchPath too long") << u"SearchPath"_s << QString(5000, u'a') << u"/c/"_s;
        QTest::newRow("CallPath too long") << u"CallPath"_s << QString(5000, u'a') << u"/c/"_s;
        QTest::newRow("user store unreadable") << u"CallPath"_s << QString() << u"/c/"_s;
    }
    // Read as the program means it (never a calls folder named "Error"), saved back in its own form.
    void storedValues()
    {
        QFETCH(QString, name);
        QFETCH(QString, stored);
        Fixture f;
        f.store.SaveStringSetting(u"CallPath"_s, u"/c/"_s);
        f.reg.WriteStringValue(UserKey, name, stored);
        if (stored.isNull())
            QVERIFY(QFile::remove(f.roots.userFile()) && QDir().mkpath(f.roots.userFile()));
        QVERIFY(f.start());
        QTEST(f.reg.ReadStringValue(MachineKey, name, {}, false), "savedBack");
    }

    // The machine key is the administrator's: a user's save still updates the user's own.
    void machineKeyUnwritable()
    {
        Fixture f;
        f.store.SaveSettings({{u"CallPath"_s, u"/c/"_s}, {u"Sensitivity"_s, -20}});
        // Root acts as "nobody", who owns the user's store; an ordinary user owns it already.
        const QString machineFolder = f.roots.machineRoot() + u"/Voxmere"_s;
        if (geteuid() == 0) {
            QFile::setPermissions(f.roots.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                      | QFile::ReadOther | QFile::ExeOther);
            for (const QString &p : {f.roots.userRoot(), f.roots.userRoot() + u"/Voxmere"_s, f.roots.userFile()})
                QVERIFY(chown(QFile::encodeName(p).constData(), AsUnprivilegedUser::NobodyUid,
                              AsUnprivilegedUser::NobodyUid) == 0);
        } else {
            QVERIFY(QFile::setPermissions(f.roots.machineFile(), QFile::ReadOwner | QFile::ReadOther)
                    && QFile::setPermissions(machineFolder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));
        }
        auto writable = qScopeGuard([&] { QFile::setPermissions(machineFolder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); });
        AsUnprivilegedUser nobody;
        if (!nobody.active() && geteuid() == 0)
            QSKIP("cannot drop root privileges here");
        QVERIFY(f.start());
        f.s.Sensitivity = -40;
        f.s.SaveAllSettings(f.store);
        f.reg.WriteDWORDValue(MachineKey, u"Sensitivity"_s, -50);
        QCOMPARE(f.prompts.texts(), QStringList());
        QCOMPARE(f.reg.ReadDWORDValue(UserKey, u"Sensitivity"_s, 0, false), -40);
        QCOMPARE(f.reg.ReadDWORDValue(MachineKey, u"Sensitivity"_s, 0, false), -20);
    }
};

QTEST_GUILESS_MAIN(tst_ProgramSettings)
#include "tst_ProgramSettings.moc"
