#include "audio/modMixer.h"
#include "ScriptedPrompts.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using modMixer::Mixer;

namespace {

// Cards of scripted controls; every change lands in one log, e.g. "1 Mic=30010".
struct ScriptedCards final : modMixer::MixerSource
{
    struct Card
    {
        QList<Mixer::Control> controls;
        QHash<QString, long> values; // volumes and switches (0/1); missing: cannot be read
        bool opens = true;
    };
    QList<Card> cards;
    QStringList log;

    struct ScriptedMixer final : Mixer
    {
        ScriptedCards &all;
        int card;
        ScriptedMixer(ScriptedCards &a, int c) : all(a), card(c) {}
        Card &me() { return all.cards[card]; }
        QList<Control> controls() override { return me().controls; }
        std::optional<long> read(const QString &c)
        {
            return me().values.contains(c) ? std::optional(me().values[c]) : std::nullopt;
        }
        std::optional<long> volume(const QString &c) override { return read(c); }
        std::optional<bool> switchedOn(const QString &c) override
        {
            const auto v = read(c);
            return v ? std::optional(*v != 0) : std::nullopt;
        }
        bool set(const QString &c, long v)
        {
            all.log << u"%1 %2=%3"_s.arg(card).arg(c).arg(v);
            me().values[c] = v;
            return true;
        }
        bool setVolume(const QString &c, long v) override { return set(c, v); }
        bool setSwitch(const QString &c, bool on) override { return set(c, on); }
    };

    int cardCount() override { return int(cards.size()); }
    std::unique_ptr<Mixer> open(int card) override
    {
        log << u"open %1"_s.arg(card);
        return cards[card].opens ? std::make_unique<ScriptedMixer>(*this, card) : nullptr;
    }
};

Mixer::Control volume(const QString &name, long max) { return {name, true, 0, max, false}; }
Mixer::Control toggle(const QString &name) { return {name, false, 0, 0, true}; }

} // namespace

class tst_modMixer : public QObject
{
    Q_OBJECT
private slots:
    void walk_data()
    {
        QTest::addColumn<QList<ScriptedCards::Card>>("cards");
        QTest::addColumn<QStringList>("log");
        QTest::newRow("no card records") << QList<ScriptedCards::Card>{} << QStringList{};
        QTest::newRow("volume nudged and put back")
            << QList<ScriptedCards::Card>{{{volume(u"Mic"_s, 65535)}, {{u"Mic"_s, 30000}}}}
            << QStringList{u"open 0"_s, u"0 Mic=30010"_s, u"0 Mic=30000"_s};
        QTest::newRow("at the top of its range")
            << QList<ScriptedCards::Card>{{{volume(u"Front Mic"_s, 31)}, {{u"Front Mic"_s, 27}}}}
            << QStringList{u"open 0"_s, u"0 Front Mic=31"_s, u"0 Front Mic=27"_s};
        QTest::newRow("unreadable volume, other lines")
            << QList<ScriptedCards::Card>{{{volume(u"Mic"_s, 31), volume(u"Master"_s, 31)}, {{u"Master"_s, 20}}}}
            << QStringList{u"open 0"_s};
        QTest::newRow("boost switches")
            << QList<ScriptedCards::Card>{{{toggle(u"Mic +20dB"_s), toggle(u"Mic Boost"_s), toggle(u"Mic Select"_s),
                                            toggle(u"Line +20dB"_s)},
                                           {{u"Mic +20dB"_s, 1}, {u"Mic Boost"_s, 0}, {u"Mic Select"_s, 1}, {u"Line +20dB"_s, 1}}}}
            << QStringList{u"open 0"_s, u"0 Mic +20dB=0"_s, u"0 Mic +20dB=1"_s};
        QTest::newRow("a card that does not open ends the walk")
            << QList<ScriptedCards::Card>{{{volume(u"Mic"_s, 100)}, {{u"Mic"_s, 50}}},
                                          {{}, {}, false},
                                          {{volume(u"Mic"_s, 100)}, {{u"Mic"_s, 50}}}}
            << QStringList{u"open 0"_s, u"0 Mic=60"_s, u"0 Mic=50"_s, u"open 1"_s};
    }
    void walk()
    {
        QFETCH(QList<ScriptedCards::Card>, cards);
        QFETCH(QStringList, log);
        ScriptedCards mixers;
        mixers.cards = cards;
        ScriptedPrompts prompts;
        modMixer::FindVolumeControls(mixers, prompts);
        QCOMPARE(mixers.log, log);
        QVERIFY(prompts.shown().isEmpty());
    }
};

QTEST_MAIN(tst_modMixer)
#include "tst_modMixer.moc"
