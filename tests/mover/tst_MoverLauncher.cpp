#include "MoverFixture.h"
#include "mover/MoverLauncher.h"

using namespace Qt::StringLiterals;

class tst_MoverLauncher : public QObject
{
    Q_OBJECT

private slots:
    void launchesTheMoverOfTheProgramFolder()
    {
        MoverFixture f;
        const MoverLaunch missing = LaunchRecordingMover(f.root()); // no mover there
        QVERIFY(!missing.started && !missing.result.isEmpty());

        // Without a "CallPath" setting the mover files into the program folder's "Calls".
        const QString program = f.root() + u"/program"_s, call = u"20240301-091500-ann-65.wav"_s;
        QVERIFY(QDir().mkpath(program));
        QVERIFY(QFile::copy(QString::fromUtf8(VOXMERE_MOVER_EXE), program + u"/voxmere-mover"_s));
        f.writeSettings();
        QVERIFY(TestFiles::write(f.wavs() + call, TestFiles::noise(1, 10000)));

        const MoverLaunch launch = LaunchRecordingMover(program);

        QVERIFY2(launch.started, qPrintable(launch.result));
        QTRY_COMPARE_WITH_TIMEOUT(TestFiles::names(program + u"/Calls"_s), QStringList{call}, 20000);
        QCOMPARE(TestFiles::read(program + u"/Calls/"_s + call), TestFiles::noise(1, 10000));
    }
};

QTEST_GUILESS_MAIN(tst_MoverLauncher)
#include "tst_MoverLauncher.moc"
