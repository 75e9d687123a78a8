#include "MoverFixture.h"
#include "callstore/CallFiles.h"
#include "mover/MoverLauncher.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;
using CallFiles::JoinPath;

class tst_MoverLauncher : public QObject
{
    Q_OBJECT

private slots:
    void launchesTheMoverOfTheProgramFolder();
    void saysWhyTheMoverDidNotStart();
};

void tst_MoverLauncher::launchesTheMoverOfTheProgramFolder()
{
    MoverFixture f;
    // A program folder of its own; without a "CallPath" setting the mover files into
    // its "Calls" folder, as the program would.
    const QString programFolder = f.root() + u"/program"_s;
    QVERIFY(QDir().mkpath(programFolder));
    QVERIFY(QFile::copy(QString::fromUtf8(VOXMERE_MOVER_EXE), programFolder + u"/voxmere-mover"_s));
    f.writeSettings(f.wavs(), QString());
    const QString call = u"20240301-091500-ann-65.wav"_s;
    const QByteArray recorded = MoverFixture::content(1, 10000);
    MoverFixture::writeFile(JoinPath(f.wavs(), call), recorded);

    const MoverLaunch launch = LaunchRecordingMover(programFolder);

    QVERIFY2(launch.started, qPrintable(launch.result));
    QCOMPARE(launch.result, QString());
    const QString calls = programFolder + u"/Calls/"_s;
    QTRY_COMPARE_WITH_TIMEOUT(MoverFixture::filesIn(calls), QStringList{call}, 20000);
    QCOMPARE(MoverFixture::readFile(JoinPath(calls, call)), recorded);
}

void tst_MoverLauncher::saysWhyTheMoverDidNotStart()
{
    MoverFixture f; // a program folder without the mover

    const MoverLaunch launch = LaunchRecordingMover(f.root());

    QVERIFY(!launch.started);
    QVERIFY(!launch.result.isEmpty());
}

QTEST_GUILESS_MAIN(tst_MoverLauncher)
#include "tst_MoverLauncher.moc"
