// The engine on a machine whose sound server cannot be reached (ctest points PULSE_SERVER
// nowhere), and its mixer launcher.
#include "AudioTestKit.h"

#include "audio/AudioEngine.h"
#include "base/RecorderCodes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace AudioTestKit;

class tst_AudioEngineNoDevice : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void recording_needs_an_input();
    void playing_needs_an_output();
    void show_mixer_data();
    void show_mixer();

private:
    QTemporaryDir m_dir;
};

void tst_AudioEngineNoDevice::initTestCase()
{
    QVERIFY2(qEnvironmentVariable("PULSE_SERVER").contains(u"nonexistent"_s),
             "run through ctest, which points PULSE_SERVER at no server");
}

void tst_AudioEngineNoDevice::recording_needs_an_input()
{
    AudioEngine engine;
    const QString path = m_dir.filePath(u"call.wav"_s);
    QCOMPARE(engine.OpenInput(), qint16(RecorderCode::NoDevice));
    QCOMPARE(engine.OpenRecordFile(path), qint16(RecorderCode::NoDevice));
    QVERIFY(!QFile::exists(path)); // no empty file left for the call that cannot be
    QCOMPARE(engine.Record(), qint16(RecorderCode::WrongState));
    QCOMPARE(engine.State(), qint16(0));
}

void tst_AudioEngineNoDevice::playing_needs_an_output()
{
    const QString path = m_dir.filePath(u"tone.wav"_s);
    QVERIFY(makeTone(path, 8000, 16, 1, 1.0, 0.5));
    AudioEngine player;
    QCOMPARE(player.Open(path), qint16(0)); // reading a file needs no device
    QCOMPARE(player.SampleCount(), 8000);
    QCOMPARE(player.Play(), qint16(RecorderCode::CantStartPlayback));
    QCOMPARE(player.State(), qint16(2));
    QCOMPARE(player.Close(), qint16(0));
}

void tst_AudioEngineNoDevice::show_mixer_data()
{
    QTest::addColumn<QString>("installed"); // the mixer program on PATH, if any
    QTest::addColumn<int>("show");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("launched");  // its arguments, when it ran
    QTest::newRow("pavucontrol") << u"pavucontrol"_s << 1 << 0 << u"--tab=4"_s;
    QTest::newRow("pavucontrol-qt") << u"pavucontrol-qt"_s << 1 << 0 << QString();
    QTest::newRow("none") << QString() << 1 << int(RecorderCode::NoMixer) << u"-"_s;
    QTest::newRow("hide") << u"pavucontrol"_s << 0 << 0 << u"-"_s;
}

void tst_AudioEngineNoDevice::show_mixer()
{
    QFETCH(QString, installed);
    QFETCH(int, show);
    QFETCH(int, code);
    QFETCH(QString, launched);
    QTemporaryDir bin;
    const QString marker = bin.filePath(u"ran"_s);
    if (!installed.isEmpty()) {
        QFile script(bin.filePath(installed));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\necho \"$*\" > '" + QFile::encodeName(marker) + "'\n");
        script.close();
        QVERIFY(script.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    }
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin.path()));
    AudioEngine engine;
    const qint16 answer = engine.ShowMixer(qint16(show));
    qputenv("PATH", oldPath);
    QCOMPARE(answer, qint16(code));
    if (launched == u"-") {
        QTest::qWait(200);
        QVERIFY(!QFile::exists(marker));
        return;
    }
    QVERIFY(waitFor([&] { return QFile(marker).size() > 0; }, 5000));
    QFile ran(marker);
    QVERIFY(ran.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(ran.readAll()).trimmed(), launched);
}

QTEST_GUILESS_MAIN(tst_AudioEngineNoDevice)
#include "tst_AudioEngineNoDevice.moc"
