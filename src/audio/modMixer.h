#pragma once

#include <QList>
#include <QString>
#include <memory>
#include <optional>

class Prompts;

// At start-up the microphone controls of every card that records are touched once, so
// that the driver's settings are in force before the first call: the capture volume is
// nudged up and back, an active boost switch is switched off and on again.
namespace modMixer {

// A card's mixer as the walk sees it: its simple controls by name.
class Mixer
{
public:
    struct Control
    {
        QString name;
        bool captureVolume = false;
        long min = 0, max = 0; // the volume's range in the control's own units
        bool captureSwitch = false;
    };
    virtual ~Mixer() = default;
    virtual QList<Control> controls() = 0;
    virtual std::optional<long> volume(const QString &control) = 0;
    virtual bool setVolume(const QString &control, long value) = 0;
    virtual std::optional<bool> switchedOn(const QString &control) = 0;
    virtual bool setSwitch(const QString &control, bool on) = 0;
};

// The mixers of the cards with a capture device, in card order.
class MixerSource
{
public:
    virtual ~MixerSource() = default;
    virtual int cardCount() = 0;
    // Null when the card's mixer cannot be opened.
    virtual std::unique_ptr<Mixer> open(int card) = 0;
};

// The walk's step, in the control's own units.
constexpr long VolumeStep = 10;

void FindVolumeControls(MixerSource &mixers, Prompts &prompts);
// The walk over this PC's ALSA cards; nothing when it has none.
void FindVolumeControls(Prompts &prompts);

} // namespace modMixer
