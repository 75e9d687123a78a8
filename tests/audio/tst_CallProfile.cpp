// One pass over a call: where it is loud, where its pauses are, how loud it is.
#include "AudioTestKit.h"

#include "audio/CallProfile.h"
#include "audio/GsmLanes.h"
#include "audio/PlaybackChain.h"
#include "audio/PlaybackFile.h"
#include "audio/WaveWriter.h"

#include <QFile>
#include <QTest>

#include <gsm.h>

using namespace Qt::StringLiterals;
using namespace AudioTestKit;

using Parts = QList<std::pair<double, double>>;
using Spans = QList<std::pair<double, double>>;

static bool near(const Spans &a, const Spans &b, double slack)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [slack](const auto &x, const auto &y) {
        return std::fabs(x.first - y.first) <= slack && std::fabs(x.second - y.second) <= slack;
    });
}

class tst_CallProfile : public QObject
{
    Q_OBJECT

private slots:
    void overviewAndPausesFollowTheTones_data()
    {
        QTest::addColumn<bool>("gsm");
        QTest::addColumn<Parts>("parts");
        QTest::addColumn<Spans>("loud"); // seconds
        QTest::addColumn<Spans>("skipped");
        const Parts call{{2, 0}, {3, 0.5}, {4, 0}, {1, 0.5}};
        // The 2 s before the first tone and the 4 s between play as 0.3 s each.
        const Spans loud{{2, 5}, {9, 10}}, skipped{{0.15, 1.85}, {5.15, 8.85}};
        QTest::newRow("pcm") << false << call << loud << skipped;
        QTest::newRow("gsm") << true << call << loud << skipped;
        // A pause of a second or less stays; one at the end plays 0.15 s, then the call ends.
        QTest::newRow("short pause, long end") << false << Parts{{2, 0.3}, {0.9, 0}, {2, 0.3}, {3, 0}}
                                               << Spans{{0, 2}, {2.9, 4.9}} << Spans{{5.05, 7.9}};
        // A line with noise: its floor, not digital silence, tells the pauses.
        QTest::newRow("quiet tone over a floor") << false << Parts{{3, 0.02}, {3, 0.002}, {3, 0.02}}
                                                 << Spans{{0, 3}, {6, 9}} << Spans{{3.15, 5.85}};
    }
    void overviewAndPausesFollowTheTones()
    {
        QFETCH(bool, gsm);
        QFETCH(Parts, parts);
        QFETCH(Spans, loud);
        QFETCH(Spans, skipped);
        QTemporaryDir dir;
        QVERIFY(makeCall(dir.filePath(u"call.wav"_s), parts, gsm) && makeCall(dir.filePath(u"pcm.wav"_s), parts, false));
        const auto profile = CallProfile::measure(dir.filePath(u"call.wav"_s));
        QVERIFY(profile); // GSM in parts side by side: as loud as the PCM read in one
        QVERIFY(std::fabs(profile->loudness - CallProfile::measure(dir.filePath(u"pcm.wav"_s))->loudness) < 0.5);
        const double length = profile->seconds();

        // Loud where the tones are, to 1% of the call's length.
        const int bins = 1000;
        const QList<float> overview = profile->overview(bins, length);
        Spans found, skips;
        for (int b = 0; b < bins; ++b) {
            const double t = b * length / bins;
            if (overview[b] >= 0.5 && (found.isEmpty() || t - found.last().second > 0.05))
                found.append({t, t});
            if (overview[b] >= 0.5)
                found.last().second = (b + 1) * length / bins;
        }
        QVERIFY(near(found, loud, 0.01 * length));
        for (const auto &[from, to] : profile->skips())
            skips.append({double(from) / profile->rate, double(to) / profile->rate});
        // GSM 6.10 rings on a little after a tone stops: the pause starts later there.
        QVERIFY(near(skips, skipped, gsm ? 0.2 : 0.03));
    }

    // Loud sweeps clipping at full scale, noise and silence reach the codec's saturating
    // corners; every stretch decoded side by side must give what libgsm gives it alone.
    void stretchesDecodeAsLibgsmDoes()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"call.wav"_s);
        qint16 code = 0;
        auto writer = WaveWriter::create(path, WaveFormat::gsm(), code);
        QVERIFY(writer);
        std::vector<qint16> pcm(8000 * 40);
        quint32 noise = 7;
        for (size_t i = 0; i < pcm.size(); ++i) {
            const double t = double(i) / 8000;
            noise = noise * 1664525u + 1013904223u;
            const double sweep = 40000 * std::sin(2 * M_PI * (100 + 40 * t) * t), hiss = double(qint32(noise) >> 17);
            const int part = int(t) % 4;
            pcm[i] = qint16(std::clamp(part == 0 ? sweep : part == 1 ? hiss : part == 2 ? sweep / 8 + hiss : 0.0, -32768.0, 32767.0));
        }
        QVERIFY(writer->write(reinterpret_cast<const char *>(pcm.data()), qint64(pcm.size())) && writer->finish());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        const qsizetype data = bytes.indexOf("data") + 8;
        const qint64 blocks = (bytes.size() - data) / GsmLanes::BlockBytes, per = blocks / GsmLanes::Count;
        QVERIFY(data > 8 && per > 20);
        auto block = [&](qint64 b) { return reinterpret_cast<const unsigned char *>(bytes.constData() + data + b * GsmLanes::BlockBytes); };

        GsmLanes lanes;
        std::vector<gsm> alone;
        for (int l = 0; l < GsmLanes::Count; ++l) {
            int wav49 = 1;
            alone.push_back(gsm_create());
            gsm_option(alone.back(), GSM_OPT_WAV49, &wav49);
        }
        std::vector<GsmLanes::Block> out(GsmLanes::Count);
        qint64 differing = 0;
        for (qint64 step = 0; step < per; ++step) {
            const unsigned char *in[GsmLanes::Count];
            for (int l = 0; l < GsmLanes::Count; ++l)
                in[l] = l == 3 && step % 5 == 0 ? nullptr : block(l * per + step); // the others never notice its gaps
            lanes.decode(in, out.data());
            for (int l = 0; l < GsmLanes::Count; ++l) {
                if (l == 3)
                    continue;
                gsm_signal expected[GsmLanes::BlockFrames];
                auto *bytesIn = const_cast<unsigned char *>(in[l]);
                gsm_decode(alone[size_t(l)], bytesIn, expected);
                gsm_decode(alone[size_t(l)], bytesIn + 33, expected + 160);
                differing += !std::equal(expected, expected + GsmLanes::BlockFrames, out[size_t(l)].begin());
            }
        }
        for (gsm g : alone)
            gsm_destroy(g);
        QCOMPARE(differing, 0);
    }

    // A quiet line with a click at full scale: raised to the common loudness, the click is
    // held under the limiter's ceiling while the talk around it keeps the full gain.
    void theLimiterHoldsPeaksDown()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"call.wav"_s);
        const double quiet = std::pow(10.0, (-30 + 3) / 20.0); // about -30 LUFS
        QVERIFY(makeCall(path, {{3, quiet}, {0.004, 1.0}, {3, quiet}}, false));
        qint16 code = 0;
        auto profile = CallProfiles::of(path);
        profile.waitForFinished(); // else the chain plays silence while it waits
        PlaybackChain chain(PlaybackFile::open(path, -1, code), PlayOptions{.levelCalls = true}, profile);
        std::vector<qint16> out(8000 * 7);
        out.resize(size_t(chain.read(out.data(), qint64(out.size()))));
        QVERIFY(out.size() > 6 * 8000);
        const auto level = [&](size_t from, size_t to) {
            return std::abs(*std::max_element(out.begin() + qsizetype(from), out.begin() + qsizetype(to),
                                              [](qint16 a, qint16 b) { return std::abs(a) < std::abs(b); })) / 32768.0;
        };
        QVERIFY2(level(0, out.size()) <= std::pow(10.0, -1 / 20.0) + 0.01, qPrintable(QString::number(level(0, out.size()))));
        const double gain = std::pow(10.0, (PlayOptions::LevelTarget + 30) / 20.0);
        QVERIFY2(std::fabs(level(8000 * 5, 8000 * 6) / (quiet * gain) - 1) < 0.1, qPrintable(QString::number(level(8000 * 5, 8000 * 6) / (quiet * gain)))); // 2 s after the click
    }

    void theCacheFollowsTheFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"call.wav"_s);
        QVERIFY(makeCall(path, {{2, 0.1}}, false));
        const auto first = CallProfiles::of(path).result();
        QVERIFY(first);
        QCOMPARE(CallProfiles::of(path).result(), first); // the same file: from the cache
        QVERIFY(makeCall(path, {{2, 0.5}}, false)); // rewritten: louder
        const auto second = CallProfiles::of(path).result();
        QVERIFY(second && second != first);
        QVERIFY2(second->loudness > first->loudness + 10, qPrintable(QString::number(second->loudness)));
        QVERIFY(!CallProfiles::of(dir.filePath(u"gone.wav"_s)).result());
    }
};

QTEST_GUILESS_MAIN(tst_CallProfile)
#include "tst_CallProfile.moc"
