#include "callstore/CallFiles.h"
#include "mover/MoverLauncher.h"
#include "TestFiles.h"
#include "MoverFixture.h"

#include <QProcess>

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

using Files = QMap<QString, QByteArray>;
static const QString Call = u"20240301-091500-ann-65.wav"_s;

static void put(const QString &folder, const Files &files)
{
    for (auto it = files.cbegin(); it != files.cend(); ++it)
        QVERIFY(TestFiles::write(folder + it.key(), it.value()));
}

// The folder holds exactly these files, byte for byte, besides the mover's marker and record.
static void expect(const QString &folder, const Files &files)
{
    QStringList names = TestFiles::names(folder);
    names.removeOne(CallFiles::FolderMarkName.toString());
    names.removeOne(u".voxmere-mover-folders"_s);
    QCOMPARE(names, files.keys());
    for (auto it = files.cbegin(); it != files.cend(); ++it)
        QCOMPARE(TestFiles::read(folder + it.key()), it.value());
}

class tst_RecordingMover : public QObject
{
    Q_OBJECT

private slots:
    // Every finished call and note is filed, whole and with its time stamp; a filed call
    // is never replaced: an identical spare is dropped, a different call (or anything else
    // of its name, a pipe) keeps its name and the new one takes the next copy number.
    void filesEveryFinishedRecording_data()
    {
        QTest::addColumn<bool>("otherFs");
        QTest::addColumn<QString>("filedBefore"); // "", "identical", "different", "pipe"
        for (bool otherFs : {false, true})
            for (const QString &clash : {u""_s, u"identical"_s, u"different"_s, u"pipe"_s})
                QTest::addRow("%s filesystem, %s", otherFs ? "another" : "same", qPrintable(clash)) << otherFs << clash;
    }
    void filesEveryFinishedRecording()
    {
        QFETCH(bool, otherFs);
        QFETCH(QString, filedBefore);
        MoverFixture f;
        if (otherFs && !f.mountShare())
            QSKIP("needs root to mount a second filesystem (a tmpfs)");
        const QString callPath = otherFs ? f.share() + u"calls/"_s : f.calls();
        const QByteArray recorded = TestFiles::noise(1, 300000);
        Files calls = {{Call, recorded}, {u"20240301-101500-ann-0.wav"_s, ""},
                       {u"20240302-080000-bob-7.wav"_s, TestFiles::noise(2, 4096)},
                       {u"20240302-080000-bob-7.txt"_s, "Order 42"}}; // a note left waiting
        // In progress (whatever the user's name), a half copy, not calls: all stay.
        Files kept = {{u".20240301-081500-ann-3.wav.part"_s, "half"}, {u"20240302-090000-ann.txt"_s, "note"},
                      {u"20240302-090000-ann.wav"_s, "live"}, {u"20240302-090000-jean-luc.wav"_s, "live"},
                      {u"readme.txt"_s, "text"}, {u"ring-ring-ring-1.wav"_s, "ring"}};
        put(f.wavs(), calls);
        put(f.wavs(), kept);
        const QString status = QFileInfo(RecordingMover::StatusFileName(f.wavs())).fileName();
        put(f.wavs(), {{status, "an earlier run's problem\n"}}); // gone once all is filed
        const QDateTime stamp(QDate(2024, 3, 1), QTime(9, 16, 5));
        QFile stamped(f.wavs() + Call);
        QVERIFY(stamped.open(QIODevice::Append) && stamped.setFileTime(stamp, QFileDevice::FileModificationTime));
        if (filedBefore == u"pipe"_s)
            QVERIFY(QDir().mkpath(callPath) && ::mkfifo(QFile::encodeName(callPath + Call).constData(), 0600) == 0);
        else if (!filedBefore.isEmpty()) {
            // Same size either way: only the content tells them apart.
            calls[Call] = filedBefore == u"identical"_s ? recorded : TestFiles::noise(3, 300000);
            QVERIFY(TestFiles::write(callPath + Call, calls[Call]));
        }
        const QString filedAs = filedBefore == u"different"_s || filedBefore == u"pipe"_s ? CallFiles::WithCopyNumber(Call, 2) : Call;
        if (filedAs != Call) // where it went stays known, for its note and the program's list
            kept[u'.' + Call + u".filed-as"_s] = filedAs.toUtf8() + '\n';
        calls.remove(filedBefore == u"pipe"_s ? Call : QString()); // no file to list
        calls[filedAs] = recorded;

        const RecordingMover::Result result = f.run(callPath);
        QCOMPARE(result.problems, QStringList());
        expect(callPath, calls);
        expect(f.wavs(), kept);
        if (filedBefore != u"identical"_s)
            QCOMPARE(QFileInfo(callPath + filedAs).lastModified(), stamp);
    }

    // A call filed into a folder shared with a group (set-group-ID, or the group may write)
    // is that group's too, copied to another filesystem whatever the umask; so are a folder
    // made in it and the marker.
    void filedCallsTakeTheFoldersAccess_data()
    {
        QTest::addColumn<int>("folderMode");
        QTest::addColumn<int>("fileMode");
        QTest::newRow("set-group-ID") << 02750 << 0640;
        QTest::newRow("group writes") << 0770 << 0660;
    }
    void filedCallsTakeTheFoldersAccess()
    {
        QFETCH(int, folderMode);
        MoverFixture f;
        if (!f.mountShare())
            QSKIP("needs root to mount a second filesystem (a tmpfs)");
        const QByteArray group = QFile::encodeName(f.share() + u"group"_s);
        QVERIFY(::mkdir(group.constData(), 0) == 0 && ::chown(group.constData(), uid_t(-1), 4321) == 0 && ::chmod(group.constData(), mode_t(folderMode)) == 0);
        QVERIFY(TestFiles::write(f.wavs() + Call, "call"));
        QCOMPARE(f.run(f.share() + u"group/sales/"_s).exitCode(), 0);
        QCOMPARE(TestFiles::mode(f.share() + u"group/sales"_s), 02000 | folderMode);
        QTEST(TestFiles::mode(f.share() + u"group/sales/"_s + Call), "fileMode");
        QTEST(TestFiles::mode(f.share() + u"group/sales/.voxmere"_s), "fileMode");
    }

    void leavesTheRecordingWhenItCannotBeFiled_data()
    {
        QTest::addColumn<QString>("callPath"); // under the fixture's root
        QTest::addColumn<QString>("obstacle"); // a plain file there, "read-only", "full"
        QTest::addColumn<QString>("problem");
        const QString unreachable = u"cannot be reached"_s;
        QTest::newRow("a file, not a folder") << u"/calls"_s << u"/calls"_s << unreachable;
        QTest::newRow("share not mounted") << u"/share/calls/"_s << QString() << unreachable;
        QTest::newRow("share itself not mounted") << u"/share"_s << QString() << unreachable;
        QTest::newRow("the temporary folder itself") << u"/wavs"_s << QString() << u"same folder"_s;
        QTest::newRow("read-only folder") << u"/calls/"_s << u"read-only"_s << Call + u": cannot move it into"_s;
        QTest::newRow("full share") << u"/share/"_s << u"full"_s << Call + u": cannot copy it into"_s;
        // Filed there before, then the share went (no fstab line): its bare mount point.
        QTest::newRow("used before, now an empty mount point") << u"/mnt"_s << u"unmounted"_s << unreachable;
        QTest::newRow("used before, gone with its share") << u"/mnt/calls/"_s << u"unmounted"_s << unreachable;
    }
    void leavesTheRecordingWhenItCannotBeFiled()
    {
        QFETCH(QString, callPath);
        QFETCH(QString, obstacle);
        QFETCH(QString, problem);
        MoverFixture f;
        callPath.prepend(f.root());
        const QByteArray recorded = TestFiles::noise(1, 200000);
        QVERIFY(TestFiles::write(f.wavs() + Call, recorded));
        if (obstacle.startsWith(u'/'))
            QVERIFY(TestFiles::write(f.root() + obstacle, "x"));
        if (obstacle == u"full"_s && !f.mountShare(64 * 1024))
            QSKIP("needs root to mount a second filesystem (a tmpfs)");
        if (obstacle == u"unmounted"_s) {
            QVERIFY(TestFiles::write(f.wavs() + Call, "an earlier call"));
            QCOMPARE(f.run(callPath).moved, 1);
            QVERIFY(QDir(f.root() + u"/mnt"_s).removeRecursively() && QDir().mkpath(f.root() + u"/mnt"_s));
            QVERIFY(TestFiles::write(f.wavs() + Call, recorded));
        }
        const bool readOnly = obstacle == u"read-only"_s;
        if (readOnly) { // to "nobody"
            QVERIFY(QDir().mkpath(callPath));
            ::chmod(QFile::encodeName(f.root()).constData(), 0755);
            ::chmod(QFile::encodeName(f.wavs()).constData(), 0777);
            ::chmod(QFile::encodeName(callPath).constData(), 0555);
        }

        std::optional<AsUnprivilegedUser> nobody;
        if (readOnly && (nobody.emplace(), ::geteuid() == 0))
            QSKIP("cannot drop root's rights here");
        const RecordingMover::Result result = f.run(callPath);
        nobody.reset();

        QCOMPARE(result.exitCode(), obstacle.isEmpty() || obstacle.startsWith(u'/') || obstacle == u"unmounted"_s ? 2 : 1);
        QVERIFY2(result.problems.size() == 1 && result.problems[0].contains(problem), qPrintable(result.problems.join(u'\n')));
        QCOMPARE(RecordingMover::LastProblems(f.wavs()), result.problems); // for the program to show
        QCOMPARE(TestFiles::read(f.wavs() + Call), recorded);
        if (!callPath.endsWith(u"/wavs"_s)) // nor a half copy left behind; a marker where it tried
            QCOMPARE(TestFiles::names(callPath), obstacle == u"full"_s ? QStringList{CallFiles::FolderMarkName.toString()} : QStringList());
    }

    // Problems that cannot be kept for the program (a full disk) are told, not dropped.
    void problemsThatCannotBeKeptAreTold()
    {
        MoverFixture f;
        QVERIFY(TestFiles::write(f.wavs() + Call, "RIFF") && TestFiles::write(f.root() + u"/calls"_s, "x"));
        RecordingMover::Result result;
        {
            FullDisk full(16);
            result = f.run(f.root() + u"/calls"_s);
        }
        QCOMPARE(result.problems.size(), 2);
        QVERIFY2(result.problems[1].startsWith(u"the problems cannot be kept in "_s + RecordingMover::StatusFileName(f.wavs())),
                 qPrintable(result.problems[1]));
        QCOMPARE(RecordingMover::LastProblems(f.wavs()), QStringList());
        QCOMPARE(TestFiles::names(f.wavs()), QStringList{Call});
    }

    // A mover that finds another at work leaves the filing to it and ends; the one at work
    // lists again before it ends, so a call filed meanwhile does not wait for the next
    // launch. Without a "CallPath" setting a mover files into its own folder's "Calls";
    // the program starts the mover beside it and does not wait for it.
    void moversTakeTurns()
    {
        MoverFixture f;
        const MoverLaunch missing = LaunchRecordingMover(f.root()); // no mover there
        QVERIFY(!missing.started && !missing.result.isEmpty());
        if (!f.mountShare()) // a copy across, to be at work in
            QSKIP("needs root to mount a second filesystem (a tmpfs)");
        const QString program = f.share() + u"program/"_s, callPath = program + u"Calls/"_s;
        QVERIFY(QDir().mkpath(program));
        QVERIFY(QFile::copy(QString::fromUtf8(VOXMERE_MOVER_EXE), program + u"voxmere-mover"_s));
        f.writeSettings();
        Files calls;
        for (int i = 0; i < 60; ++i)
            calls.insert(u"20240301-0900%1-ann-%2.wav"_s.arg(i, 2, 10, QChar(u'0')).arg(i), TestFiles::noise(i, 65536 + i));
        put(f.wavs(), calls);

        RecordingMover atWork(f.wavs(), callPath);
        QProcess first, second;
        bool started = false;
        atWork.setStepHook([&](RecordingMover::Step step, const QString &) {
            if (step != RecordingMover::Step::Copied || std::exchange(started, true))
                return;
            const QString later = u"20240301-091700-ann-12.wav"_s; // filed, and its mover started
            QVERIFY(TestFiles::write(f.wavs() + later, calls[later] = "later"));
            for (QProcess *mover : {&first, &second})
                mover->start(program + u"voxmere-mover"_s);
            for (QProcess *mover : {&first, &second})
                QVERIFY2(mover->waitForFinished(30000), "a mover waits for the one at work");
        });
        QCOMPARE(atWork.Run().problems, QStringList());
        for (QProcess *mover : {&first, &second}) { // each gave up while the other worked
            QCOMPARE(mover->readAllStandardError(), QByteArray());
            QCOMPARE(mover->exitCode(), 0);
        }
        expect(callPath, calls);

        const QString last = u"20240301-093000-ann-9.wav"_s;
        QVERIFY(TestFiles::write(f.wavs() + last, calls[last] = "last"));
        const MoverLaunch launch = LaunchRecordingMover(program);
        QVERIFY2(launch.started, qPrintable(launch.result));
        QTRY_COMPARE_WITH_TIMEOUT(TestFiles::names(f.wavs()).filter(u".wav"_s), QStringList(), 20000);
        expect(callPath, calls);
    }

    // A full disk under the temporary folder does not keep the mover out.
    void filesFromAFullTemporaryFolder()
    {
        MoverFixture f;
        const QByteArray recorded = TestFiles::noise(1, 100000);
        put(f.wavs(), {{Call, recorded}});
        FullDisk full;
        QVERIFY(!TestFiles::write(f.wavs() + u"more"_s, "x"));
        QCOMPARE(f.run(f.calls()).problems, QStringList());
        expect(f.calls(), {{Call, recorded}});
    }

    // Killed at each step of a copy across filesystems (in a process of this test's own,
    // see main), the call stays whole; its lock goes with it and the next mover finishes.
    void crashAtACopyStepThenRerun_data()
    {
        QTest::addColumn<QString>("step");
        QTest::addColumn<QStringList>("callPathAfterCrash");
        QTest::newRow("copy complete, not in place") << u"copied"_s << QStringList{u"hidden copy"_s};
        QTest::newRow("copy in place, source not removed") << u"placed"_s << QStringList{Call};
    }
    void crashAtACopyStepThenRerun()
    {
        QFETCH(QString, step);
        QFETCH(QStringList, callPathAfterCrash);
        MoverFixture f;
        if (!f.mountShare())
            QSKIP("needs root to mount a second filesystem (a tmpfs)");
        const QByteArray recorded = TestFiles::noise(7, 200000);
        QVERIFY(TestFiles::write(f.wavs() + Call, recorded));

        QCOMPARE(QProcess::execute(QCoreApplication::applicationFilePath(), {u"--crash-at"_s, step, f.wavs(), f.share()}), -1);
        QCOMPARE(TestFiles::read(f.wavs() + Call), recorded);
        callPathAfterCrash.replaceInStrings(u"hidden copy"_s, RecordingMover::TemporaryNameOf(Call, f.wavs()));
        callPathAfterCrash << CallFiles::FolderMarkName.toString();
        callPathAfterCrash.sort();
        QCOMPARE(TestFiles::names(f.share()), callPathAfterCrash);

        QCOMPARE(f.run(f.share()).problems, QStringList());
        expect(f.share(), {{Call, recorded}});
        expect(f.wavs(), {});
    }
};

// "--crash-at copied|placed WAVS CALLPATH": the mover killed at that step, as a power cut would.
int main(int argc, char *argv[])
{
    if (argc == 5 && qstrcmp(argv[1], "--crash-at") == 0) {
        RecordingMover mover(QFile::decodeName(argv[3]), QFile::decodeName(argv[4]));
        mover.setStepHook([copied = qstrcmp(argv[2], "copied") == 0](RecordingMover::Step step, const QString &) {
            if ((step == RecordingMover::Step::Copied) == copied)
                std::raise(SIGKILL);
        });
        return mover.Run().exitCode();
    }
    QCoreApplication app(argc, argv);
    tst_RecordingMover test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_RecordingMover.moc"
