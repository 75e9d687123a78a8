// Speed, skipped pauses and one loudness, as they come out of the test sound server: a
// call made by sox plays through the engine while a second engine records the line.
#include "AudioTestKit.h"

#include "audio/AudioEngine.h"

#include <QTest>
#include <ebur128.h>

using namespace Qt::StringLiterals;
using namespace AudioTestKit;

using Parts = QList<std::pair<double, double>>;
Q_DECLARE_METATYPE(PlayOptions)

namespace {

double loudness(const Samples &s)
{
    ebur128_state *meter = ebur128_init(1, static_cast<unsigned long>(s.rate), EBUR128_MODE_I);
    const std::vector<double> frames(s.mono.begin(), s.mono.end());
    ebur128_add_frames_double(meter, frames.data(), frames.size());
    double lufs = -HUGE_VAL;
    ebur128_loudness_global(meter, &lufs);
    ebur128_destroy(&meter);
    return lufs;
}

double peak(const Samples &s)
{
    return std::fabs(*std::max_element(s.mono.begin(), s.mono.end(), [](double a, double b) { return std::fabs(a) < std::fabs(b); }));
}

// From the first to the last sample above a third of the peak: to the sample.
Span toneSpan(const Samples &s)
{
    Span span;
    for (qsizetype i = 0, top = peak(s) / 3 * 32768; i < s.mono.size(); ++i) {
        if (std::fabs(s.mono[i]) * 32768 > top)
            span = {span.start < 0 ? double(i) / s.rate : span.start, double(i + 1) / s.rate};
    }
    return span;
}

// The best normalised correlation of 0.5 s of a and b from these samples on, b shifted by up to 2.
double likeness(const Samples &a, qsizetype atA, const Samples &b, qsizetype atB)
{
    double best = 0;
    for (qsizetype lag = -2; lag <= 2; ++lag) {
        double ab = 0, aa = 0, bb = 0;
        for (qsizetype i = 0; i < 4000; ++i)
            ab += a.mono[atA + i] * b.mono[atB + lag + i], aa += a.mono[atA + i] * a.mono[atA + i],
                bb += b.mono[atB + lag + i] * b.mono[atB + lag + i];
        best = std::max(best, ab / std::sqrt(aa * bb));
    }
    return best;
}

} // namespace

class tst_PlayOptions : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void initTestCase() { QVERIFY2(soundServerProblem().isEmpty(), qPrintable(soundServerProblem())); }
    void playsAsAsked_data()
    {
        QTest::addColumn<Parts>("call"); // (seconds, amplitude) of 1 kHz
        QTest::addColumn<bool>("gsm");
        QTest::addColumn<PlayOptions>("options");
        QTest::addColumn<double>("pause"); // seconds of silence skipped between the tones
        const Parts tone{{0.5, 0}, {4, 0.5}, {0.5, 0}}, talk{{2, 0.5}, {10, 0}, {2, 0.5}};
        // A 1 kHz sine of amplitude 10^((L + 3) / 20) measures about L LUFS.
        const auto at = [](double lufs) { return Parts{{0.5, 0}, {6, std::pow(10.0, (lufs + 3) / 20)}, {0.5, 0}}; };
        QTest::newRow("1x as the file") << tone << false << PlayOptions{} << 0.0;
        QTest::newRow("2x pcm") << tone << false << PlayOptions{.speed = 2.0} << 0.0;
        QTest::newRow("2x gsm") << tone << true << PlayOptions{.speed = 2.0} << 0.0;
        QTest::newRow("0.75x") << tone << false << PlayOptions{.speed = 0.75} << 0.0;
        QTest::newRow("skip silence") << talk << false << PlayOptions{.skipSilence = true} << 10.0;
        QTest::newRow("skip silence at 1.5x, gsm") << talk << true << PlayOptions{.speed = 1.5, .skipSilence = true} << 10.0;
        QTest::newRow("quiet line levelled") << at(-35) << false << PlayOptions{.levelCalls = true} << 0.0;
        QTest::newRow("loud line levelled") << at(-12) << false << PlayOptions{.levelCalls = true} << 0.0;
    }
    void playsAsAsked()
    {
        QFETCH(Parts, call);
        QFETCH(bool, gsm);
        QFETCH(PlayOptions, options);
        QFETCH(double, pause);
        const QString file = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + u".wav"_s), out = file + u".heard.wav"_s;
        QVERIFY(makeCall(file, call, gsm));

        AudioEngine recorder, player; // the recorder's default: PCM at 8 kHz
        QCOMPARE(recorder.OpenRecordFile(out), qint16(0));
        QCOMPARE(recorder.Record(), qint16(0));
        player.setPlayOptions(options);
        QCOMPARE(player.Open(file), qint16(0));
        QCOMPARE(player.Play(), qint16(0));
        QTRY_VERIFY_WITH_TIMEOUT(player.State() != 3, 30000);
        QCOMPARE(player.Position(), player.Length()); // the call's own time, skips and all
        QTest::qWait(500);
        recorder.Stop();
        QCOMPARE(recorder.Close(), qint16(0));

        const Samples sent = read(file), got = read(out);
        const Span span = toneSpan(got), sentSpan = toneSpan(sent);
        // The tones' time over the speed, a pause played as 0.3 s.
        const double heard = (sentSpan.length() - pause + (pause > 0 ? 0.3 : 0)) / options.speed;
        const double hz = frequency(got, span.start + 0.1, span.start + 0.9); // the first tone
        qInfo("heard %.3f s for %.3f s, %.1f Hz, %.2f LUFS from %.2f, peak %.3f", span.length(), heard, hz,
              loudness(got), loudness(sent), peak(got));
        QVERIFY(std::fabs(span.length() - heard) <= (pause > 0 ? 0.2 : 0.02 * heard));
        QVERIFY(std::fabs(hz - 1000) <= 30); // the pitch kept, whatever the speed
        if (options.levelCalls) {
            QVERIFY(std::fabs(loudness(got) - PlayOptions::LevelTarget) <= 1.5);
            QVERIFY(peak(got) < 32767.0 / 32768);
        } else if (options == PlayOptions{}) { // what the file holds, sample for sample
            QVERIFY(likeness(sent, qsizetype(sentSpan.start * 8000) + 800, got, qsizetype(span.start * 8000) + 800) > 0.99);
        }
    }
};

QTEST_GUILESS_MAIN(tst_PlayOptions)
#include "tst_PlayOptions.moc"
