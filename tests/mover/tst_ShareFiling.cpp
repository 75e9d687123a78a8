#include "callstore/CallFiles.h"
#include "mover/RecordingMover.h"
#include "TestFiles.h"
#include "TestShare.h"

#include <QDir>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <memory>

using namespace Qt::StringLiterals;

// One PC of the office: settings and a temporary folder of its own, its calls folder in
// its own mount of the share, and the real voxmere-mover.
struct Pc
{
    Pc(const QString &pcName, const QString &login, const QString &mount) : name(pcName), user(login)
    {
        QVERIFY(QDir().mkpath(wavs()));
        QSettings settings(dir.filePath(u"config/Voxmere/Voxmere.conf"_s), QSettings::IniFormat);
        settings.setValue(u"wavs"_s, wavs());
        settings.setValue(u"CallPath"_s, mount + u"/calls/"_s);
    }
    QString wavs() const { return dir.filePath(u"wavs/"_s); }

    // Call i: at 09:00:i, 1 to 3 seconds long by its name, `bytes` of noise as 8 kHz PCM.
    QString record(int i, qsizetype bytes)
    {
        const QString call = u"20240301-0900%1-%2-%3.wav"_s.arg(i, 2, 10, QChar(u'0')).arg(user).arg(1 + i % 3);
        QByteArray wave = "RIFF....WAVEfmt " + le(16) + QByteArray::fromHex("01000100401f0000803e000002001000") + "data" + le(bytes);
        wave.replace(4, 4, le(36 + bytes));
        recorded[call] = wave + TestFiles::noise((name == u"pcA"_s ? 1000u : 2000u) + quint32(i), bytes);
        return TestFiles::write(wavs() + call, recorded[call]) ? call : QString();
    }
    bool note(const QString &call) { return TestFiles::write(wavs() + call.chopped(4) + u".txt"_s, noteOf(call)); }
    QByteArray noteOf(const QString &call) const { return (name + u": "_s + call).toUtf8(); }
    // What still waits here: calls and notes.
    QStringList waiting() const { return QDir(wavs()).entryList({u"*.wav"_s, u"*.txt"_s}, QDir::Files); }

    void startMover()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"XDG_CONFIG_HOME"_s, dir.filePath(u"config"_s));
        env.insert(u"XDG_CONFIG_DIRS"_s, dir.filePath(u"machine"_s));
        mover.setProcessEnvironment(env);
        mover.start(QString::fromUtf8(VOXMERE_MOVER_EXE), {});
    }

    static QByteArray le(qsizetype n)
    {
        const quint32 v = qToLittleEndian(quint32(n));
        return QByteArray(reinterpret_cast<const char *>(&v), 4);
    }

    QTemporaryDir dir;
    QString name, user;
    QMap<QString, QByteArray> recorded;
    QProcess mover;
};

class tst_ShareFiling : public QObject
{
    Q_OBJECT

    // Both PCs' movers at once, until they end.
    static void runMovers(const std::vector<std::unique_ptr<Pc>> &pcs)
    {
        for (const auto &pc : pcs)
            pc->startMover();
        for (const auto &pc : pcs)
            QVERIFY2(pc->mover.waitForFinished(120000), "a mover hung");
    }

private slots:
    // Two PCs file calls of the same seconds into one share at once, their users under one
    // login name or two; half the notes are written after their calls were filed (as the
    // note prompt closes late). Every call lands once, whole and with its own note; a
    // server that dies meanwhile leaves no half call under a call's name and every call
    // whole in its temporary folder, filed once it is back.
    void twoPcsFileAtTheSameSeconds_data()
    {
        QTest::addColumn<QString>("userB");
        QTest::addColumn<int>("calls");
        QTest::addColumn<int>("bytes");
        QTest::addColumn<bool>("serverDies");
        QTest::newRow("same login name") << u"ann"_s << 50 << 8000 << false;
        QTest::newRow("different login names") << u"bob"_s << 50 << 8000 << false;
        QTest::newRow("server dies mid-filing") << u"ann"_s << 30 << (4 << 20) << true;
    }
    void twoPcsFileAtTheSameSeconds()
    {
        QFETCH(QString, userB);
        QFETCH(int, calls);
        QFETCH(int, bytes);
        QFETCH(bool, serverDies);
        TestShare share;
        REQUIRE_SHARE(share);
        QVERIFY(share.clear());
        std::vector<std::unique_ptr<Pc>> pcs;
        pcs.push_back(std::make_unique<Pc>(u"pcA"_s, u"ann"_s, share.pcA()));
        pcs.push_back(std::make_unique<Pc>(u"pcB"_s, userB, share.pcB()));
        QStringList lateNotes;
        for (const auto &pc : pcs)
            for (int i = 0; i < calls; ++i) {
                const QString call = pc->record(i, bytes);
                QVERIFY(!call.isEmpty());
                if (i % 2)
                    QVERIFY(pc->note(call));
            }

        if (!serverDies)
            runMovers(pcs);
        else {
            for (const auto &pc : pcs)
                pc->startMover();
            QVERIFY(QTest::qWaitFor([&] { return !QDir(share.exported() + u"/calls"_s).entryList({u"*.wav"_s}).isEmpty(); }, 60000));
            QVERIFY(share.stopServer());
            for (const auto &pc : pcs)
                QVERIFY2(pc->mover.waitForFinished(60000), "a mover hung on the dead share");
            // Nothing half there; the rest whole where it was, and the user told why.
            QMap<QByteArray, QString> all;
            for (const auto &pc : pcs)
                for (auto it = pc->recorded.cbegin(); it != pc->recorded.cend(); ++it)
                    all[it.value()] = it.key();
            for (const QString &filed : QDir(share.exported() + u"/calls"_s).entryList({u"*.wav"_s}))
                QVERIFY2(all.contains(TestFiles::read(share.exported() + u"/calls/"_s + filed)), qPrintable(filed));
            int left = 0;
            for (const auto &pc : pcs)
                for (const QString &call : pc->waiting().filter(u".wav"_s)) {
                    QCOMPARE(TestFiles::read(pc->wavs() + call), pc->recorded[call]);
                    ++left;
                    QVERIFY(!RecordingMover::LastProblems(pc->wavs()).isEmpty());
                }
            QVERIFY2(left > 0, "the server died after all was filed");
            QVERIFY(share.startServer());
        }
        for (const auto &pc : pcs)
            for (const QString &call : pc->recorded.keys())
                if (call.mid(13, 2).toInt() % 2 == 0) // the seconds are i
                    QVERIFY(pc->note(call));
        // Started again, as the program does every minute while calls wait, until all is filed.
        QVERIFY(QTest::qWaitFor([&] {
            runMovers(pcs);
            return std::all_of(pcs.begin(), pcs.end(), [](const auto &pc) { return pc->waiting().isEmpty(); });
        }, 60000));

        // Every call once, whole, valid, with its own note; no hidden copy left.
        const QString filedIn = share.exported() + u"/calls/"_s;
        QStringList names = QDir(filedIn).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(names.filter(u".part"_s), QStringList());
        QVERIFY(names.removeOne(CallFiles::FolderMarkName.toString()));
        QCOMPARE(names.filter(u".wav"_s).size(), 2 * calls);
        QCOMPARE(names.filter(u".txt"_s).size(), 2 * calls);
        QMap<QByteArray, QByteArray> noteOfCall; // recorded bytes → the note it was given
        for (const auto &pc : pcs)
            for (auto it = pc->recorded.cbegin(); it != pc->recorded.cend(); ++it)
                noteOfCall[it.value()] = pc->noteOf(it.key());
        for (const QString &filed : names.filter(u".wav"_s)) {
            const QByteArray bytes = TestFiles::read(filedIn + filed);
            QVERIFY2(noteOfCall.contains(bytes), qPrintable(filed + u" is no call recorded, or is there twice"_s));
            QCOMPARE(TestFiles::read(filedIn + filed.chopped(4) + u".txt"_s), noteOfCall.take(bytes));
            QVERIFY(CallFiles::SplitCallFileName(filed).has_value());
            QProcess sox;
            sox.start(u"sox"_s, {u"--i"_s, filedIn + filed});
            QVERIFY(sox.waitForFinished(10000));
            QVERIFY2(sox.exitCode() == 0, qPrintable(filed + u": "_s + QString::fromLocal8Bit(sox.readAllStandardError())));
        }
    }
};

QTEST_GUILESS_MAIN(tst_ShareFiling)
#include "tst_ShareFiling.moc"
