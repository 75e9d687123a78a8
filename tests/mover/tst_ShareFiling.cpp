#include "callstore/CallFiles.h"
#include "mover/RecordingMover.h"
#include "TestFiles.h"
#include "TestShare.h"

#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QRegularExpression>
#include <QTest>
#include <QtEndian>

using namespace Qt::StringLiterals;

class tst_ShareFiling : public QObject
{
    Q_OBJECT

private slots:
    // Two PCs (own settings, temporary folder and mount) run the real mover at once on 50
    // calls each of the same seconds, under one login name or two; half the notes come late.
    // Every call lands once, whole, valid, with its own note, a server dying meanwhile too.
    void twoPcsFileAtTheSameSeconds_data()
    {
        QTest::addColumn<QString>("userB");
        QTest::addColumn<int>("bytes"); // a call
        QTest::addColumn<bool>("serverDies");
        QTest::newRow("same login name") << u"ann"_s << 8000 << false;
        QTest::newRow("different login names") << u"bob"_s << 8000 << false;
        QTest::newRow("server dies mid-filing") << u"ann"_s << (4 << 20) << true;
    }
    void twoPcsFileAtTheSameSeconds()
    {
        QFETCH(QString, userB);
        QFETCH(int, bytes);
        QFETCH(bool, serverDies);
        TestShare share;
        REQUIRE_SHARE(share);
        QTemporaryDir pcs[2];
        QProcess movers[2];
        QStringList calls[2];
        QMap<QByteArray, QByteArray> noteOf; // a call's bytes → its note
        const auto wavs = [&](int p) { return pcs[p].filePath(u"wavs/"_s); };
        const auto note = [&](int p, const QString &call) { return TestFiles::write(wavs(p) + call.chopped(4) + u".txt"_s, (wavs(p) + call).toUtf8()); };
        const auto waiting = [&](int p) { return QDir(wavs(p)).entryList({u"*.wav"_s, u"*.txt"_s}, QDir::Files); };
        const auto startMovers = [&] {
            for (int p = 0; p < 2; ++p) {
                QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
                env.insert(u"XDG_CONFIG_HOME"_s, pcs[p].path());
                env.insert(u"XDG_CONFIG_DIRS"_s, pcs[p].filePath(u"machine"_s));
                movers[p].setProcessEnvironment(env);
                movers[p].start(QString::fromUtf8(VOXMERE_MOVER_EXE), {});
            }
        };
        const auto runMovers = [&] { return startMovers(), movers[0].waitForFinished(120000) && movers[1].waitForFinished(120000); };
        for (int p = 0; p < 2; ++p) {
            QSettings settings(pcs[p].filePath(u"Voxmere/Voxmere.conf"_s), QSettings::IniFormat);
            settings.setValue(u"wavs"_s, wavs(p));
            settings.setValue(u"CallPath"_s, (p ? share.pcB : share.pcA) + u"/calls"_s);
            // 8 kHz 16-bit PCM: the RIFF size, "WAVE", "fmt ", the format, "data" and its size.
            quint32 head[] = {quint32(36 + bytes), 0x45564157, 0x20746d66, 16, 0x10001, 8000, 16000, 0x100002, 0x61746164, quint32(bytes)};
            for (quint32 &word : head)
                word = qToLittleEndian(word);
            for (int i = 0; i < 50; ++i) {
                calls[p] << u"20240301-0900%1-%2-%3.wav"_s.arg(i, 2, 10, QChar(u'0')).arg(p ? userB : u"ann"_s).arg(1 + i % 3);
                const QByteArray wave = "RIFF" + QByteArray(reinterpret_cast<const char *>(head), 40) + TestFiles::noise(100 * p + i, bytes);
                QVERIFY(TestFiles::write(wavs(p) + calls[p][i], wave) && (i % 2 == 0 || note(p, calls[p][i])));
                noteOf[wave] = (wavs(p) + calls[p][i]).toUtf8();
            }
        }
        const QString filedIn = share.exported + u"/calls/"_s;
        if (serverDies) {
            startMovers();
            QVERIFY(QTest::qWaitFor([&] { return !QDir(filedIn).entryList({u"*.wav"_s}).isEmpty(); }, 60000));
            QVERIFY(share.server("server-stop") && movers[0].waitForFinished(60000) && movers[1].waitForFinished(60000));
            for (const QString &filed : QDir(filedIn).entryList({u"*.wav"_s}))
                QVERIFY2(noteOf.contains(TestFiles::read(filedIn + filed)), qPrintable(filed + u" is half there"_s));
            QVERIFY2(!waiting(0).isEmpty() || !waiting(1).isEmpty(), "all was filed before the server died");
            for (int p = 0; p < 2; ++p) // and why told; what waits is checked whole below
                QCOMPARE(waiting(p).isEmpty(), RecordingMover::LastProblems(wavs(p)).isEmpty());
            QVERIFY(share.server("server-start"));
        }
        QVERIFY(runMovers());
        for (int p = 0; p < 2; ++p)
            for (int i = 0; i < 50; i += 2)
                QVERIFY(note(p, calls[p][i]));
        // Started again, as the program does each minute while anything waits.
        QVERIFY(QTest::qWaitFor([&] { return runMovers() && waiting(0).isEmpty() && waiting(1).isEmpty(); }, 60000));

        QStringList names = QDir(filedIn).entryList(QDir::Files | QDir::Hidden), sox = {u"--i"_s, u"-D"_s};
        QVERIFY(names.removeOne(CallFiles::FolderMarkName.toString()));
        // Calls and notes: no hidden copy is left.
        QVERIFY2(names.size() == 200, qPrintable(names.filter(QRegularExpression(u"^\\."_s)).join(u' ')));
        for (const QString &filed : names.filter(u".wav"_s)) {
            const QByteArray wave = TestFiles::read(filedIn + filed);
            QVERIFY2(noteOf.contains(wave), qPrintable(filed + u" is no call, or there twice"_s));
            QCOMPARE(TestFiles::read(filedIn + filed.chopped(4) + u".txt"_s), noteOf.take(wave));
            sox << filedIn + filed;
        }
        QProcess soxi; // every file a sound file: one failing fails it
        soxi.start(u"sox"_s, sox);
        QVERIFY(soxi.waitForFinished(60000) && soxi.exitCode() == 0);
    }
};

QTEST_GUILESS_MAIN(tst_ShareFiling)
#include "tst_ShareFiling.moc"
