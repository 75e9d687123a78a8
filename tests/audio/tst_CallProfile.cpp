// One pass over a call: where it is loud, where its pauses are, how loud it is.
#include "AudioTestKit.h"

#include "audio/CallProfile.h"

#include <QTest>

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
