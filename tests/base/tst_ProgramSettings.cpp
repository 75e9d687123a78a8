#include "ScriptedPrompts.h"
#include "TempSettingsRoots.h"
#include "base/ProgramSettings.h"
#include "base/SettingsStore.h"
#include "base/modRegistry.h"

#include <QFile>
#include <QSettings>
#include <QtTest>

#include <unistd.h>

using namespace Qt::StringLiterals;

static const QString UserKey = u"HKEY_CURRENT_USER\\SOFTWARE\\Voxmere"_s;
static const QString MachineKey = u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Voxmere"_s;
static const QString NeverOnPC =
    u"It would appear that Voxmere has not been used on this PC before - please check your configuration"_s;
static const QString NeverByUser =
    u"It would appear that you have never used Voxmere before - please check your configuration"_s;

static const QStringList MainValues = {
    u"SearchPath"_s, u"Minimised"_s, u"Top"_s, u"Left"_s, u"CallPath"_s, u"AddNote"_s,
    u"AutoRecord"_s, u"Maximise"_s, u"CanPlay"_s, u"CanDelete"_s, u"PlayOwnOnly"_s,
    u"DeleteOwnOnly"_s, u"CallTimeOut"_s, u"Sensitivity"_s, u"MinCallLength"_s, u"Format"_s, u"SD"_s};

// The two stores of one PC, as the program opens them at start.
struct Fixture
{
    TempSettingsRoots roots;
    ScriptedPrompts prompts;
    modRegistry reg{prompts};
    SettingsStore store{reg, UserKey, MachineKey};
    Fixture()
    {
        reg.CreateKey(UserKey);
        reg.CreateKey(MachineKey);
    }
    QStringList keysIn(const QString &file)
    {
        QSettings s(file, QSettings::IniFormat);
        return s.childKeys();
    }
};

class tst_ProgramSettings : public QObject
{
    Q_OBJECT

private slots:
    void neverUsedPC()
    {
        Fixture f;
        ProgramSettings s;
        QVERIFY(s.GetRegistrySettings(f.store, f.prompts));
        QCOMPARE(f.prompts.texts(), QStringList{NeverOnPC});
        QCOMPARE(f.prompts.shown()[0].icon, Prompts::Information);
        QCOMPARE(f.prompts.shown()[0].caption, u"Voxmere"_s);
        QCOMPARE(s.CallPath, ProgramSettings::DefaultCallPath());
        QCOMPARE(s.SearchPath, s.CallPath);
        QVERIFY(s.AddNote && s.Maximise && s.CanPlay && s.CanDelete && s.GsmFlag);
        QVERIFY(!s.AutoRecord && !s.Minimised && !s.PlayOwnOnly && !s.DeleteOwnOnly && !s.SD);
        QCOMPARE(s.CallTimeOut, 5);
        QCOMPARE(s.Sensitivity, -18);
        QCOMPARE(s.MinCallLength, 10);
        for (const QString &file : {f.roots.userFile(), f.roots.machineFile()}) {
            const QStringList keys = f.keysIn(file);
            for (const QString &name : MainValues)
                QVERIFY2(keys.contains(name), qPrintable(file + u": "_s + name));
        }
        // The second start is no first run.
        f.prompts.clear();
        QVERIFY(s.GetRegistrySettings(f.store, f.prompts));
        QVERIFY(f.prompts.shown().isEmpty());
    }

    // Another user saved settings on this PC: a new user starts from them.
    void newUserOnUsedPC()
    {
        Fixture f;
        f.store.SaveStringSetting(u"CallPath"_s, u"/srv/calls/"_s);
        f.store.SaveLongSetting(u"Sensitivity"_s, -30);
        f.store.SaveLongSetting(u"AutoRecord"_s, 1);
        f.store.SaveStringSetting(u"PW"_s, u"\x01secret\0x"_s);
        QFile::remove(f.roots.userFile());
        f.reg.CreateKey(UserKey);

        ProgramSettings s;
        QVERIFY(s.GetRegistrySettings(f.store, f.prompts));
        QCOMPARE(f.prompts.texts(), QStringList{NeverByUser});
        QCOMPARE(s.CallPath, u"/srv/calls/"_s);
        QCOMPARE(s.Sensitivity, -30);
        QVERIFY(s.AutoRecord);
        QCOMPARE(s.PW, u"\x01secret\0x"_s);
        // Now in the user's own key too, and still in the machine's.
        QCOMPARE(f.reg.ReadDWORDValue(UserKey, u"Sensitivity"_s, 0, false), -30);
        QCOMPARE(f.reg.ReadDWORDValue(MachineKey, u"Sensitivity"_s, 0, false), -30);
        QCOMPARE(f.reg.ReadStringValue(UserKey, u"PW"_s, QString(), false), u"\x01secret\0x"_s);
    }

    void flagsAndFormat_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<qint32>("stored");
        QTest::addColumn<bool>("gsm");
        QTest::addColumn<bool>("sd");
        QTest::newRow("Format 5 is PCM") << u"Format"_s << 5 << false << false;
        QTest::newRow("Format 0 is GSM") << u"Format"_s << 0 << true << false;
        QTest::newRow("SD -1 does not forbid closing") << u"SD"_s << -1 << true << false;
        QTest::newRow("SD 1 forbids closing") << u"SD"_s << 1 << true << true;
    }
    void flagsAndFormat()
    {
        QFETCH(QString, name);
        QFETCH(qint32, stored);
        Fixture f;
        f.store.SaveStringSetting(u"CallPath"_s, u"/c/"_s);
        f.store.SaveLongSetting(name, stored);
        ProgramSettings s;
        QVERIFY(s.GetRegistrySettings(f.store, f.prompts));
        QTEST(s.GsmFlag, "gsm");
        QTEST(s.SD, "sd");
        // Saved back in the program's own form.
        QCOMPARE(f.reg.ReadDWORDValue(UserKey, u"Format"_s, -1, false), s.GsmFlag ? 0 : 1);
    }

    void searchPathTooLongFallsBackToCallPath()
    {
        Fixture f;
        f.store.SaveStringSetting(u"CallPath"_s, u"/srv/calls/"_s);
        f.store.SaveStringSetting(u"SearchPath"_s, QString(5000, u'a'));
        ProgramSettings s;
        QVERIFY(s.GetRegistrySettings(f.store, f.prompts));
        QCOMPARE(s.SearchPath, u"/srv/calls/"_s);
    }

    // The machine key is the administrator's: a user's save still updates the user's own.
    void machineKeyUnwritable()
    {
        Fixture f;
        f.store.SaveStringSetting(u"CallPath"_s, u"/c/"_s);
        f.store.SaveLongSetting(u"Sensitivity"_s, -20);
        QFile::setPermissions(f.roots.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                  | QFile::ReadOther | QFile::ExeOther);
        const QByteArray userRoot = f.roots.userRoot().toLocal8Bit();
        QVERIFY(chown(userRoot.constData(), AsUnprivilegedUser::NobodyUid, AsUnprivilegedUser::NobodyUid) == 0);
        const QByteArray userDir = (f.roots.userRoot() + u"/Voxmere"_s).toLocal8Bit();
        QVERIFY(chown(userDir.constData(), AsUnprivilegedUser::NobodyUid, AsUnprivilegedUser::NobodyUid) == 0);
        const QByteArray userFile = f.roots.userFile().toLocal8Bit();
        QVERIFY(chown(userFile.constData(), AsUnprivilegedUser::NobodyUid, AsUnprivilegedUser::NobodyUid) == 0);
        AsUnprivilegedUser nobody;
        if (!nobody.active() && geteuid() == 0)
            QSKIP("cannot drop root privileges here");
        ProgramSettings s;
        QVERIFY(s.GetRegistrySettings(f.store, f.prompts));
        s.Sensitivity = -40;
        s.SaveAllSettings(f.store);
        QCOMPARE(f.prompts.texts(), QStringList());
        QCOMPARE(f.reg.ReadDWORDValue(UserKey, u"Sensitivity"_s, 0, false), -40);
        QCOMPARE(f.reg.ReadDWORDValue(MachineKey, u"Sensitivity"_s, 0, false), -20);
    }

    // A user file that cannot be read at all still gives a working program.
    void unreadableUserKeyGivesDefaults()
    {
        Fixture f;
        QFile::remove(f.roots.userFile());
        QVERIFY(QDir().mkpath(f.roots.userFile())); // a folder where the file should be
        ProgramSettings s;
        QVERIFY(s.GetRegistrySettings(f.store, f.prompts));
        QCOMPARE(s.CallPath, ProgramSettings::DefaultCallPath());
        QCOMPARE(s.CallTimeOut, 5);
        QVERIFY(!s.AutoRecord);
    }

    void garbageNumbersGiveDefaults()
    {
        Fixture f;
        f.store.SaveStringSetting(u"CallPath"_s, u"/c/"_s);
        f.reg.WriteStringValue(UserKey, u"CallTimeOut"_s, u"soon"_s);
        f.reg.WriteStringValue(UserKey, u"AutoRecord"_s, u"yes please"_s);
        ProgramSettings s;
        QVERIFY(s.GetRegistrySettings(f.store, f.prompts));
        QCOMPARE(s.CallTimeOut, 5);
        QVERIFY(!s.AutoRecord);
    }

    void formPositionStore()
    {
        Fixture f;
        QCOMPARE(f.store.ReadFormValue(u"Height"_s), QString());
        f.store.SaveFormValue(u"Height"_s, u"6000"_s);
        QCOMPARE(f.store.ReadFormValue(u"Height"_s), u"6000"_s);
        QSettings ini(f.roots.userFile(), QSettings::IniFormat);
        QCOMPARE(ini.value(u"Form Position/Height"_s).toString(), u"6000"_s);
        QVERIFY(!QSettings(f.roots.machineFile(), QSettings::IniFormat).contains(u"Form Position/Height"_s));
    }
};

QTEST_GUILESS_MAIN(tst_ProgramSettings)
#include "tst_ProgramSettings.moc"
