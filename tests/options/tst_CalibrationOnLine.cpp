#include "AudioTestKit.h"
#include "CalibrationScript.h"
#include "ContextRig.h"
#include "controls/OrvaneButton.h"

#include "audio/AudioEngine.h"
#include "options/ui/frmOptions.h"

#include <QLabel>
#include <QTest>

using namespace Qt::StringLiterals;

// The calibration on the real engine and the test line: what is played into the line is
// the level the calibration window shows, and an idle line's noise puts the sensitivity
// 2 dB above it.
class tst_CalibrationOnLine : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase() { QVERIFY2(AudioTestKit::soundServerProblem().isEmpty(), qPrintable(AudioTestKit::soundServerProblem())); }

    void readsTheLine_data()
    {
        QTest::addColumn<QString>("sound"); // sox synth
        QTest::addColumn<double>("peak");   // dBFS
        QTest::addColumn<bool>("measure");  // the sensitivity, else the level while adjusting
        QTest::newRow("dial tone") << u"sine 425"_s << -8.0 << false;
        QTest::newRow("quiet line") << u"brownnoise"_s << -40.0 << true;
    }
    void readsTheLine()
    {
        QFETCH(QString, sound);
        QFETCH(double, peak);
        QFETCH(bool, measure);
        const QString path = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + u".wav"_s);
        QVERIFY(!AudioTestKit::run(u"sox"_s, QStringList{u"-n"_s, u"-r"_s, u"8000"_s, u"-b"_s, u"16"_s, u"-c"_s, u"1"_s, path,
                                                         u"synth"_s, u"8"_s} + sound.split(u' ')
                                                 + QStringList{u"gain"_s, u"-n"_s, QString::number(peak)})
                     .isNull());
        QProcess line;
        line.start(u"paplay"_s, {u"-d"_s, u"line"_s, path});
        QVERIFY(line.waitForStarted());
        QTest::qWait(500);

        ContextRig t;
        t.app.services.newRecorder = [] { return std::make_unique<AudioEngine>(); };
        FakeRecorder mainRecorder; // it only gives up the input and opens the mixer
        frmOptions options(t.app, mainRecorder);
        CalibrationScript user;
        const QString calibrate = measure ? u"dlgCalibrate measure"_s : u"dlgCalibrate adjust"_s;
        user.run({u"dlgCalMsg1 skip"_s, calibrate, u"dlgCalibrate OK"_s}, [&] { options.btnCal->click(); });
        line.kill();
        line.waitForFinished();

        const double read = measure ? options.lblSensitivity->text().section(u' ', 0, 0).toDouble() - 2
                                    : user.level.section(u' ', 0, 0).toDouble();
        QVERIFY2(std::abs(read - peak) <= 1.0, qPrintable(u"%1 dB read, %2 dB played"_s.arg(read).arg(peak)));
    }
};

QTEST_MAIN(tst_CalibrationOnLine)
#include "tst_CalibrationOnLine.moc"
