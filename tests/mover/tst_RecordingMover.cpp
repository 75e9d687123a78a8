#include "MoverFixture.h"
#include "TempSettingsRoots.h"
#include "callstore/CallFiles.h"
#include "mover/RecordingMover.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QTest>
#include <QTime>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using CallFiles::JoinPath;

namespace {

const QString Call = u"20240301-091500-ann-65.wav"_s;

QString moverExe()
{
    return QString::fromUtf8(VOXMERE_MOVER_EXE);
}

// The mover consults this fstab, naming the given mount points as shares.
QString writeFstab(const MoverFixture &f, const QStringList &shares)
{
    QByteArray text;
    for (const QString &dir : shares)
        text += "server:/calls " + QFile::encodeName(dir) + " nfs defaults 0 0\n";
    const QString path = f.root() + u"/fstab"_s;
    MoverFixture::writeFile(path, text);
    return path;
}

RecordingMover::Result runMover(const MoverFixture &f, const QString &callPath,
                                const QStringList &shares = {})
{
    RecordingMover mover(f.wavs(), callPath);
    mover.setFstabPath(writeFstab(f, shares));
    return mover.Run();
}

struct Exit
{
    QProcess::ExitStatus status;
    int code;
    QString errors;
};

Exit runExecutable(const QStringList &args = {})
{
    QProcess process;
    process.start(moverExe(), args);
    process.waitForFinished(60000);
    return {process.exitStatus(), process.exitCode(),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

} // namespace

class tst_RecordingMover : public QObject
{
    Q_OBJECT

private:
    // The calls folder on this filesystem or on a tmpfs (another filesystem, like a share).
    QString callPathFor(MoverFixture &f, bool otherFilesystem)
    {
        if (!otherFilesystem)
            return f.calls();
        return f.mountTmpfs(f.root() + u"/share"_s) ? f.root() + u"/share/calls/"_s : QString();
    }

private slots:
    void finishedNames_data();
    void finishedNames();
    void movesEveryFinishedRecording_data();
    void movesEveryFinishedRecording();
    void nameClash_data();
    void nameClash();
    void unreachableCallPathLeavesTheRecordings_data();
    void unreachableCallPathLeavesTheRecordings();
    void readOnlyCallPathLeavesTheRecordings();
    void fullShareLeavesTheRecording();
    void sameFolderIsNeverEmptied();
    void missingSettingsAreReported();
    void twoMoversAtOnce();
    void aMoverWaitsForTheOneAtWork();
    void crashBetweenCopyAndRemovalThenRerun_data();
    void crashBetweenCopyAndRemovalThenRerun();
};

void tst_RecordingMover::finishedNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("finished");
    QTest::newRow("finished") << Call << true;
    QTest::newRow("under a second") << u"20240301-091500-ann-0.wav"_s << true;
    QTest::newRow("in progress") << u"20240301-091500-ann.wav"_s << false;
    QTest::newRow("in progress, user with a dash") << u"20240301-091500-jean-luc.wav"_s << false;
    QTest::newRow("note") << u"20240301-091500-ann-65.txt"_s << false;
    QTest::newRow("copy under way") << RecordingMover::TemporaryNameOf(Call) << false;
    QTest::newRow("other sound") << u"ring-ring-ring-1.wav"_s << false;
}

void tst_RecordingMover::finishedNames()
{
    QFETCH(QString, name);
    QFETCH(bool, finished);
    QCOMPARE(RecordingMover::IsFinishedRecording(name), finished);
}

void tst_RecordingMover::movesEveryFinishedRecording_data()
{
    QTest::addColumn<bool>("otherFilesystem");
    QTest::newRow("same filesystem") << false;
    QTest::newRow("another filesystem") << true;
}

void tst_RecordingMover::movesEveryFinishedRecording()
{
    QFETCH(bool, otherFilesystem);
    MoverFixture f;
    const QString callPath = callPathFor(f, otherFilesystem);
    if (callPath.isEmpty())
        QSKIP("mounting a tmpfs is not permitted here");
    const QMap<QString, QByteArray> calls = {
        {Call, MoverFixture::content(1, 300000)},
        {u"20240301-101500-ann-0.wav"_s, QByteArray()},
        {u"20240302-080000-bob-7.wav"_s, MoverFixture::content(2, 4096)},
        {u"20240302-080000-bob-7.txt"_s, "Order 42"}, // a note that could not be filed
    };
    for (auto it = calls.begin(); it != calls.end(); ++it)
        MoverFixture::writeFile(JoinPath(f.wavs(), it.key()), it.value());
    const QDateTime stamp(QDate(2024, 3, 1), QTime(9, 16, 5));
    {
        QFile file(JoinPath(f.wavs(), Call));
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(stamp, QFileDevice::FileModificationTime));
    }
    const QString live = u"20240302-090000-ann.wav"_s;
    const QByteArray liveBytes = MoverFixture::content(3, 1000);
    MoverFixture::writeFile(JoinPath(f.wavs(), live), liveBytes);
    MoverFixture::writeFile(JoinPath(f.wavs(), u"readme.txt"_s), "not a call");
    MoverFixture::writeFile(JoinPath(f.wavs(), u"20240302-090000-ann.txt"_s), "in progress");

    // The share is configured; mounted in the second row, not needed in the first.
    const RecordingMover::Result result = runMover(f, callPath, {f.root() + u"/share"_s});

    QCOMPARE(result.problems, QStringList());
    QCOMPARE(result.exitCode(), 0);
    QCOMPARE(result.moved, 4);
    QCOMPARE(MoverFixture::filesIn(callPath), calls.keys());
    for (auto it = calls.begin(); it != calls.end(); ++it)
        QCOMPARE(MoverFixture::readFile(JoinPath(callPath, it.key())), it.value());
    QCOMPARE(QFileInfo(JoinPath(callPath, Call)).lastModified(), stamp);
    QCOMPARE(MoverFixture::filesIn(f.wavs()),
             QStringList({u"20240302-090000-ann.txt"_s, live, u"readme.txt"_s}));
    QCOMPARE(MoverFixture::readFile(JoinPath(f.wavs(), live)), liveBytes);
}

void tst_RecordingMover::nameClash_data()
{
    QTest::addColumn<bool>("otherFilesystem");
    QTest::addColumn<bool>("identical");
    QTest::newRow("same filesystem, identical") << false << true;
    QTest::newRow("same filesystem, different") << false << false;
    QTest::newRow("another filesystem, identical") << true << true;
    QTest::newRow("another filesystem, different") << true << false;
}

void tst_RecordingMover::nameClash()
{
    QFETCH(bool, otherFilesystem);
    QFETCH(bool, identical);
    MoverFixture f;
    const QString callPath = callPathFor(f, otherFilesystem);
    if (callPath.isEmpty())
        QSKIP("mounting a tmpfs is not permitted here");
    // Same size either way: only the content tells them apart.
    const QByteArray recorded = MoverFixture::content(1, 50000);
    const QByteArray filed = identical ? recorded : MoverFixture::content(2, 50000);
    QVERIFY(QDir().mkpath(callPath));
    MoverFixture::writeFile(JoinPath(callPath, Call), filed);
    MoverFixture::writeFile(JoinPath(f.wavs(), Call), recorded);

    const RecordingMover::Result result = runMover(f, callPath);

    QCOMPARE(MoverFixture::filesIn(callPath), QStringList{Call});
    QCOMPARE(MoverFixture::readFile(JoinPath(callPath, Call)), filed);
    QCOMPARE(result.moved, 0);
    if (identical) {
        QCOMPARE(result.problems, QStringList());
        QCOMPARE(result.duplicates, 1);
        QCOMPARE(MoverFixture::filesIn(f.wavs()), QStringList());
    } else {
        QCOMPARE(result.exitCode(), 1);
        QCOMPARE(result.problems.size(), 1);
        QVERIFY2(result.problems[0].startsWith(Call + u": a different call"_s),
                 qPrintable(result.problems[0]));
        QCOMPARE(MoverFixture::readFile(JoinPath(f.wavs(), Call)), recorded);
    }
}

void tst_RecordingMover::unreachableCallPathLeavesTheRecordings_data()
{
    QTest::addColumn<QString>("callPath"); // under the fixture's root
    QTest::addColumn<QString>("fileAt");   // a plain file put there first
    QTest::addColumn<QString>("share");    // a configured mount point, not mounted
    QTest::newRow("parent is a file") << u"/blocker/calls/"_s << u"/blocker"_s << QString();
    QTest::newRow("a file, not a folder") << u"/calls"_s << u"/calls"_s << QString();
    QTest::newRow("share not mounted") << u"/share/calls/"_s << QString() << u"/share"_s;
    QTest::newRow("share itself not mounted") << u"/share"_s << QString() << u"/share"_s;
}

void tst_RecordingMover::unreachableCallPathLeavesTheRecordings()
{
    QFETCH(QString, callPath);
    QFETCH(QString, fileAt);
    QFETCH(QString, share);
    MoverFixture f;
    if (!fileAt.isEmpty())
        MoverFixture::writeFile(f.root() + fileAt, "x");
    if (!share.isEmpty())
        QVERIFY(QDir().mkpath(f.root() + share)); // the bare mount point
    const QByteArray recorded = MoverFixture::content(1, 20000);
    MoverFixture::writeFile(JoinPath(f.wavs(), Call), recorded);

    const RecordingMover::Result result =
        runMover(f, f.root() + callPath, share.isEmpty() ? QStringList() : QStringList{f.root() + share});

    QCOMPARE(result.exitCode(), 2);
    QCOMPARE(result.problems.size(), 1);
    QVERIFY2(result.problems[0].contains(u"cannot be reached"_s), qPrintable(result.problems[0]));
    QCOMPARE(MoverFixture::readFile(JoinPath(f.wavs(), Call)), recorded);
    QVERIFY(!QFileInfo::exists(JoinPath(f.root() + callPath, Call)));
}

void tst_RecordingMover::readOnlyCallPathLeavesTheRecordings()
{
    MoverFixture f;
    QVERIFY(QDir().mkpath(f.calls()));
    ::chmod(QFile::encodeName(f.root()).constData(), 0755);
    ::chmod(QFile::encodeName(f.wavs()).constData(), 0777);
    ::chmod(QFile::encodeName(f.calls()).constData(), 0555);
    const QByteArray recorded = MoverFixture::content(1, 20000);
    MoverFixture::writeFile(JoinPath(f.wavs(), Call), recorded);

    RecordingMover mover(f.wavs(), f.calls());
    mover.setFstabPath(writeFstab(f, {}));
    RecordingMover::Result result;
    {
        const AsUnprivilegedUser nobody;
        if (::geteuid() == 0)
            QSKIP("cannot drop root's rights here");
        result = mover.Run();
    }

    QCOMPARE(result.exitCode(), 1);
    QCOMPARE(result.problems.size(), 1);
    QVERIFY2(result.problems[0].startsWith(Call + u": cannot move it into"_s),
             qPrintable(result.problems[0]));
    QCOMPARE(MoverFixture::readFile(JoinPath(f.wavs(), Call)), recorded);
    QCOMPARE(MoverFixture::filesIn(f.calls()), QStringList());
}

void tst_RecordingMover::fullShareLeavesTheRecording()
{
    MoverFixture f;
    if (!f.mountTmpfs(f.root() + u"/share"_s, "64k"))
        QSKIP("mounting a tmpfs is not permitted here");
    const QString callPath = f.root() + u"/share/"_s;
    const QByteArray recorded = MoverFixture::content(1, 200000);
    MoverFixture::writeFile(JoinPath(f.wavs(), Call), recorded);

    const RecordingMover::Result result = runMover(f, callPath);

    QCOMPARE(result.exitCode(), 1);
    QCOMPARE(result.problems.size(), 1);
    QVERIFY2(result.problems[0].startsWith(Call + u": cannot copy it into"_s),
             qPrintable(result.problems[0]));
    QCOMPARE(MoverFixture::readFile(JoinPath(f.wavs(), Call)), recorded);
    QCOMPARE(MoverFixture::filesIn(callPath), QStringList()); // no half copy left behind
}

void tst_RecordingMover::sameFolderIsNeverEmptied()
{
    MoverFixture f;
    const QByteArray recorded = MoverFixture::content(1, 1000);
    MoverFixture::writeFile(JoinPath(f.wavs(), Call), recorded);

    // Spelt differently: no trailing "/".
    const RecordingMover::Result result = runMover(f, QDir::cleanPath(f.wavs()));

    QCOMPARE(result.exitCode(), 2);
    QCOMPARE(MoverFixture::readFile(JoinPath(f.wavs(), Call)), recorded);
}

void tst_RecordingMover::missingSettingsAreReported()
{
    MoverFixture f; // settings roots without any settings
    MoverFixture::writeFile(JoinPath(f.wavs(), Call), "x");

    const Exit exit = runExecutable();

    QCOMPARE(exit.status, QProcess::NormalExit);
    QCOMPARE(exit.code, 2);
    QVERIFY2(exit.errors.startsWith(u"voxmere-mover: no temporary recording folder (\"wavs\")"_s),
             qPrintable(exit.errors));
    QCOMPARE(MoverFixture::filesIn(f.wavs()), QStringList{Call});
}

void tst_RecordingMover::twoMoversAtOnce()
{
    MoverFixture f;
    // Across filesystems both would copy the same call through the same temporary name.
    QString callPath = callPathFor(f, true);
    if (callPath.isEmpty())
        callPath = f.calls();
    f.writeSettings(f.wavs(), callPath);
    QMap<QString, QByteArray> calls;
    for (int i = 0; i < 60; ++i) {
        const QString time = QTime(9, 0).addSecs(i * 47).toString(u"HHmmss"_s);
        calls.insert(u"20240301-%1-ann-%2.wav"_s.arg(time).arg(i),
                     MoverFixture::content(quint32(i), 65536 + i));
    }
    for (auto it = calls.begin(); it != calls.end(); ++it)
        MoverFixture::writeFile(JoinPath(f.wavs(), it.key()), it.value());

    QProcess first, second;
    first.start(moverExe());
    second.start(moverExe());
    QVERIFY(first.waitForFinished(60000));
    QVERIFY(second.waitForFinished(60000));

    for (QProcess *mover : {&first, &second}) {
        QCOMPARE(mover->exitStatus(), QProcess::NormalExit);
        QCOMPARE(QString::fromLocal8Bit(mover->readAllStandardError()), QString());
        QCOMPARE(mover->exitCode(), 0);
    }
    QCOMPARE(MoverFixture::filesIn(callPath), calls.keys());
    for (auto it = calls.begin(); it != calls.end(); ++it)
        QCOMPARE(MoverFixture::readFile(JoinPath(callPath, it.key())), it.value());
    QCOMPARE(MoverFixture::filesIn(f.wavs()), QStringList());
}

void tst_RecordingMover::aMoverWaitsForTheOneAtWork()
{
    MoverFixture f;
    f.writeSettings(f.wavs(), f.calls());
    const QString later = u"20240301-091700-ann-12.wav"_s;
    MoverFixture::writeFile(JoinPath(f.wavs(), Call), "first");

    QLockFile atWork(RecordingMover::LockFileName(f.wavs()));
    QVERIFY(atWork.tryLock(0));
    QProcess mover;
    mover.start(moverExe());
    QVERIFY(mover.waitForStarted());
    QVERIFY(!mover.waitForFinished(700));
    QCOMPARE(MoverFixture::filesIn(f.calls()), QStringList());
    // A call filed while the other mover is still at work.
    MoverFixture::writeFile(JoinPath(f.wavs(), later), "second");
    atWork.unlock();

    QVERIFY(mover.waitForFinished(30000));
    QCOMPARE(mover.exitCode(), 0);
    QCOMPARE(MoverFixture::filesIn(f.calls()), QStringList({Call, later}));
    QCOMPARE(MoverFixture::filesIn(f.wavs()), QStringList());
}

void tst_RecordingMover::crashBetweenCopyAndRemovalThenRerun_data()
{
    QTest::addColumn<QString>("crashAt");
    QTest::addColumn<QStringList>("callPathAfterCrash");
    QTest::newRow("copy complete, not in place")
        << u"--crash-at=copied"_s << QStringList{RecordingMover::TemporaryNameOf(Call)};
    QTest::newRow("copy in place, source not removed")
        << u"--crash-at=placed"_s << QStringList{Call};
}

void tst_RecordingMover::crashBetweenCopyAndRemovalThenRerun()
{
    QFETCH(QString, crashAt);
    QFETCH(QStringList, callPathAfterCrash);
    MoverFixture f;
    const QString callPath = callPathFor(f, true);
    if (callPath.isEmpty())
        QSKIP("mounting a tmpfs is not permitted here");
    f.writeSettings(f.wavs(), callPath);
    const QByteArray recorded = MoverFixture::content(7, 200000);
    MoverFixture::writeFile(JoinPath(f.wavs(), Call), recorded);

    const Exit crash = runExecutable({crashAt});
    QCOMPARE(crash.status, QProcess::CrashExit);
    QCOMPARE(MoverFixture::readFile(JoinPath(f.wavs(), Call)), recorded);
    QCOMPARE(MoverFixture::filesIn(callPath), callPathAfterCrash);

    // The killed mover's lock is stale; the next one takes over and finishes.
    const Exit rerun = runExecutable();
    QCOMPARE(rerun.errors, QString());
    QCOMPARE(rerun.status, QProcess::NormalExit);
    QCOMPARE(rerun.code, 0);
    QCOMPARE(MoverFixture::filesIn(callPath), QStringList{Call});
    QCOMPARE(MoverFixture::readFile(JoinPath(callPath, Call)), recorded);
    QCOMPARE(MoverFixture::filesIn(f.wavs()), QStringList());
}

QTEST_GUILESS_MAIN(tst_RecordingMover)
#include "tst_RecordingMover.moc"
