// Speed, skipped pauses and one loudness, as they come out of the test sound server: a
// call made by sox plays through the engine while a second engine records the line.
#include "AudioTestKit.h"

#include "audio/AudioEngine.h"
#include "audio/CallProfile.h"

#include <QTest>

#include <ebur128.h>

using namespace Qt::StringLiterals;
using namespace AudioTestKit;

using Parts = QList<std::pair<double, double>>;

Q_DECLARE_METATYPE(PlayOptions)

namespace {

// A 1 kHz sine of this amplitude measures about this loudness (EBU R128).
double amplitudeFor(double lufs)
{
    return std::pow(10.0, (lufs + 3.0) / 20.0);
}

double loudness(const Samples &s)
{
    ebur128_state *meter = ebur128_init(1, static_cast<unsigned long>(s.rate), EBUR128_MODE_I);
    std::vector<double> frames(s.mono.begin(), s.mono.end());
    ebur128_add_frames_double(meter, frames.data(), frames.size());
    double lufs = -HUGE_VAL;
    ebur128_loudness_global(meter, &lufs);
    ebur128_destroy(&meter);
    return lufs;
}

// The best normalised correlation of b against a, b shifted by up to `reach` samples.
double likeness(const QList<double> &a, const QList<double> &b, qsizetype reach)
{
    double best = 0;
    for (qsizetype lag = -reach; lag <= reach; ++lag) {
        double ab = 0, aa = 0, bb = 0;
        for (qsizetype i = 0; i < a.size(); ++i) {
            const qsizetype j = i + lag;
            const double y = j >= 0 && j < b.size() ? b[j] : 0.0;
            ab += a[i] * y, aa += a[i] * a[i], bb += y * y;
        }
        best = std::max(best, aa > 0 && bb > 0 ? ab / std::sqrt(aa * bb) : 0.0);
    }
    return best;
}

// From the first to the last sample above a third of the loudest: to the sample, where
// signalSpan goes by 20 ms.
Span toneSpan(const Samples &s)
{
    double peak = 0;
    for (double v : s.mono)
        peak = std::max(peak, std::fabs(v));
    Span span;
    for (qsizetype i = 0; i < s.mono.size(); ++i) {
        if (std::fabs(s.mono[i]) > peak / 3)
            span = {span.start < 0 ? double(i) / s.rate : span.start, double(i + 1) / s.rate};
    }
    return span;
}

} // namespace

class tst_PlayOptions : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(soundServerProblem().isEmpty(), qPrintable(soundServerProblem())); }
    void playsAsAsked_data();
    void playsAsAsked();

private:
    QTemporaryDir m_dir;
};

void tst_PlayOptions::playsAsAsked_data()
{
    QTest::addColumn<Parts>("call");
    QTest::addColumn<bool>("gsm");
    QTest::addColumn<PlayOptions>("options");
    // Seconds from the first tone's start to the last's end, within `slack`; -1: the
    // file's own over the speed, within 2%.
    QTest::addColumn<double>("heard");
    QTest::addColumn<double>("slack");
    const Parts tone{{0.5, 0}, {4, 0.5}, {0.5, 0}};
    QTest::newRow("1x as the file") << tone << false << PlayOptions{} << -1.0 << 0.0;
    QTest::newRow("2x pcm") << tone << false << PlayOptions{.speed = 2.0} << -1.0 << 0.0;
    QTest::newRow("2x gsm") << tone << true << PlayOptions{.speed = 2.0} << -1.0 << 0.0;
    QTest::newRow("0.75x") << tone << false << PlayOptions{.speed = 0.75} << -1.0 << 0.0;
    // Tone, 10 s of silence, tone: the tones' 4 s and a short gap.
    QTest::newRow("skip silence") << Parts{{2, 0.5}, {10, 0}, {2, 0.5}} << false << PlayOptions{.skipSilence = true}
                                  << 4.25 << 0.25;
    QTest::newRow("skip silence at 1.5x, gsm") << Parts{{3, 0.5}, {10, 0}, {3, 0.5}} << true
                                              << PlayOptions{.speed = 1.5, .skipSilence = true} << 4.25 << 0.25;
    QTest::newRow("quiet line levelled") << Parts{{0.5, 0}, {6, amplitudeFor(-35)}, {0.5, 0}} << false
                                         << PlayOptions{.levelCalls = true} << -1.0 << 0.0;
    QTest::newRow("loud line levelled") << Parts{{0.5, 0}, {6, amplitudeFor(-12)}, {0.5, 0}} << false
                                        << PlayOptions{.levelCalls = true} << -1.0 << 0.0;
}

void tst_PlayOptions::playsAsAsked()
{
    QFETCH(Parts, call);
    QFETCH(bool, gsm);
    QFETCH(PlayOptions, options);
    QFETCH(double, heard);
    QFETCH(double, slack);
    const QString file = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + u".wav"_s);
    const QString out = file + u".heard.wav"_s;
    QVERIFY(makeCall(file, call, gsm));

    AudioEngine recorder, player;
    recorder.setPcmRate(8000);
    recorder.setRecordOption(AudioEngine::OptionPcm);
    QCOMPARE(recorder.OpenRecordFile(out), qint16(0));
    QCOMPARE(recorder.Record(), qint16(0));
    player.setPlayOptions(options);
    QCOMPARE(player.Open(file), qint16(0));
    QCOMPARE(player.Play(), qint16(0));
    // The position is the call's own time throughout.
    QTRY_VERIFY_WITH_TIMEOUT(player.Position() > 0.2, 3000);
    QTRY_VERIFY_WITH_TIMEOUT(player.State() != 3, 30000);
    QVERIFY2(std::fabs(player.Position() - player.Length()) < 0.01, qPrintable(QString::number(player.Position())));
    QTest::qWait(500);
    recorder.Stop();
    QCOMPARE(recorder.Close(), qint16(0));

    const Samples sent = read(file), got = read(out);
    QVERIFY(got.rate == 8000 && got.seconds() > heard);
    const Span span = toneSpan(got), sentSpan = toneSpan(sent);
    if (heard < 0)
        heard = sentSpan.length() / options.speed, slack = 0.02 * heard;
    // The voice's pitch is kept, whatever the speed.
    const double hz = frequency(got, span.start + 0.2, span.end - 0.2);
    qInfo("heard %.3f s for %.3f s (%+.2f%%), %.1f Hz (%+.2f%%)", span.length(), heard,
          100 * (span.length() / heard - 1), hz, (hz / 10 - 100));
    QVERIFY2(std::fabs(span.length() - heard) <= slack, qPrintable(QString::number(span.length())));
    QVERIFY2(std::fabs(hz - 1000) <= 30, qPrintable(QString::number(hz)));

    if (options.levelCalls) {
        const double lufs = loudness(got);
        qInfo("%.2f LUFS from %.2f LUFS", lufs, loudness(sent));
        QVERIFY2(std::fabs(lufs - PlayOptions::LevelTarget) <= 1.5, qPrintable(QString::number(lufs)));
        const double peak = *std::max_element(got.mono.begin(), got.mono.end(), [](double a, double b) {
            return std::fabs(a) < std::fabs(b);
        });
        QVERIFY2(std::fabs(peak) < 32767.0 / 32768, qPrintable(QString::number(peak)));
    } else if (options == PlayOptions{}) {
        // 1x: what the file holds, sample for sample, at the file's level.
        const QList<double> a = sent.mono.mid(qsizetype((sentSpan.start + 1) * 8000), 4000);
        const QList<double> b = got.mono.mid(qsizetype((span.start + 1) * 8000), 4000);
        QVERIFY2(likeness(a, b, 200) > 0.99, qPrintable(QString::number(likeness(a, b, 200))));
        QVERIFY(std::fabs(rmsDb(got, span.start + 0.5, span.end - 0.5) - rmsDb(sent, sentSpan.start + 0.5, sentSpan.end - 0.5)) < 0.5);
    }
}

QTEST_GUILESS_MAIN(tst_PlayOptions)
#include "tst_PlayOptions.moc"
