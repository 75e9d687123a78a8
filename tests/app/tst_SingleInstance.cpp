#include "app/SingleInstance.h"
#include "ProgramRun.h"
#include "TestFiles.h"

#include <QSignalSpy>
#include <QtTest>

#include <unistd.h>

using namespace Qt::StringLiterals;

class tst_SingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void laterStartAsksTheFirst()
    {
        QTemporaryDir dir;
        const QString name = dir.path() + u"/instance"_s;
        SingleInstance first(name);
        QVERIFY(first.claim());
        QSignalSpy shown(&first, &SingleInstance::showRequested);

        SingleInstance second(name);
        QVERIFY(!second.claim());
        QVERIFY(shown.wait(2000));
        QVERIFY(first.ActivatePreviousInstance()); // the first one still answers
    }

    void staleSocketIsTakenOver()
    {
        QTemporaryDir dir;
        const QString name = dir.path() + u"/instance"_s;
        QFile stale(name);
        QVERIFY(stale.open(QIODevice::WriteOnly)); // left by a program that crashed
        stale.close();
        SingleInstance next(name);
        QVERIFY(next.claim());
        QVERIFY(next.ActivatePreviousInstance());
    }

    // A lock that cannot be made but for a running program stops nothing: this one runs,
    // and says why.
    void unwritableFolderRunsAnyway()
    {
        QTemporaryDir dir;
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        // Root acts as the folder's owner, "nobody"; an ordinary user owns it already.
        QVERIFY(::geteuid() != 0 || ::chown(QFile::encodeName(dir.path()).constData(), AsUnprivilegedUser::NobodyUid, 0) == 0);
        auto writable = qScopeGuard([&] { QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); });
        AsUnprivilegedUser owner;
        if (!owner.active() && ::geteuid() == 0)
            QSKIP("cannot drop root's rights here");
        SingleInstance instance(dir.path() + u"/instance"_s);
        QVERIFY2(instance.claim() && instance.problem().startsWith(u"no permission to write"_s), qPrintable(instance.problem()));
    }

    // The real program: a second start ends by itself and the first keeps running.
    void secondProgramEnds()
    {
        ProgramRun program;
        QProcess &first = program.start();
        QVERIFY(program.waitUntilListening());
        QProcess &second = program.start();
        QVERIFY(second.waitForFinished(3000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(first.state(), QProcess::Running);
    }

    // A runtime folder others may write is not used, nor a lock another user left there:
    // the program makes a private folder of its own in the temporary folder. A relative
    // XDG_DATA_HOME is ignored, as the XDG base directories say.
    void programKeepsToFoldersOfItsOwn()
    {
        QTemporaryDir temp, home;
        QLockFile theirs(temp.filePath(u"voxmere.socket.lock"_s));
        QVERIFY(QFile::setPermissions(temp.path(), QFileDevice::Permissions(0x7777)) && theirs.tryLock(0));
        ProgramRun program;
        for (const auto &[name, value] : {std::pair{u"TMPDIR"_s, temp.path()}, {u"XDG_RUNTIME_DIR"_s, temp.path()}, {u"HOME"_s, home.path()}, {u"XDG_DATA_HOME"_s, u"data"_s}})
            program.environment.insert(name, value);
        program.start();
        const QString own = temp.filePath(u"voxmere-%1/"_s.arg(::geteuid()));
        QVERIFY(QTest::qWaitFor([&] { return QFile::exists(own + u"voxmere.socket"_s); }, 10000));
        QCOMPARE(TestFiles::mode(own), 0700);
        QTRY_COMPARE(TestFiles::mode(home.path() + u"/.local/share/Voxmere"_s), 0700);
    }
};

QTEST_MAIN(tst_SingleInstance)
#include "tst_SingleInstance.moc"
