#include "audio/modMixer.h"

#include "base/Product.h"
#include "base/Prompts.h"
#include "base/RuntimeError.h"

#include <QCoreApplication>

#include <alsa/asoundlib.h>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace modMixer {

namespace {

// Controls of the microphone input: ALSA names them, it has no line types.
bool isMicrophone(const QString &name)
{
    return name.toUpper().contains(u"MIC"_s);
}

bool isBoost(const QString &name)
{
    return name.contains(u"20"_s) || name.toUpper().contains(u"BOO"_s);
}

void probe(Mixer &mixer)
{
    for (const Mixer::Control &c : mixer.controls()) {
        if (!isMicrophone(c.name))
            continue;
        if (c.captureVolume) {
            // Up and back to where it was: the user's level is kept, only re-applied.
            if (const auto v = mixer.volume(c.name)) {
                if (mixer.setVolume(c.name, std::clamp(*v + VolumeStep, c.min, c.max)))
                    mixer.setVolume(c.name, *v);
            }
        }
        if (c.captureSwitch && isBoost(c.name) && mixer.switchedOn(c.name) == true) {
            if (mixer.setSwitch(c.name, false))
                mixer.setSwitch(c.name, true);
        }
    }
}

// ---- ALSA

class AlsaMixer final : public Mixer
{
public:
    explicit AlsaMixer(snd_mixer_t *handle) : m_handle(handle) {}
    ~AlsaMixer() override { snd_mixer_close(m_handle); }

    QList<Control> controls() override
    {
        QList<Control> list;
        for (snd_mixer_elem_t *e = snd_mixer_first_elem(m_handle); e; e = snd_mixer_elem_next(e)) {
            if (!snd_mixer_selem_is_active(e))
                continue;
            Control c;
            c.name = QString::fromUtf8(snd_mixer_selem_get_name(e));
            c.captureVolume = snd_mixer_selem_has_capture_volume(e);
            if (c.captureVolume)
                snd_mixer_selem_get_capture_volume_range(e, &c.min, &c.max);
            c.captureSwitch = snd_mixer_selem_has_capture_switch(e);
            list << c;
        }
        return list;
    }
    std::optional<long> volume(const QString &control) override
    {
        long v = 0;
        snd_mixer_elem_t *e = find(control);
        if (!e || snd_mixer_selem_get_capture_volume(e, SND_MIXER_SCHN_FRONT_LEFT, &v) < 0)
            return std::nullopt;
        return v;
    }
    bool setVolume(const QString &control, long value) override
    {
        snd_mixer_elem_t *e = find(control);
        return e && snd_mixer_selem_set_capture_volume_all(e, value) >= 0;
    }
    std::optional<bool> switchedOn(const QString &control) override
    {
        int on = 0;
        snd_mixer_elem_t *e = find(control);
        if (!e || snd_mixer_selem_get_capture_switch(e, SND_MIXER_SCHN_FRONT_LEFT, &on) < 0)
            return std::nullopt;
        return on != 0;
    }
    bool setSwitch(const QString &control, bool on) override
    {
        snd_mixer_elem_t *e = find(control);
        return e && snd_mixer_selem_set_capture_switch_all(e, on ? 1 : 0) >= 0;
    }

private:
    snd_mixer_elem_t *find(const QString &control)
    {
        snd_mixer_selem_id_t *id;
        snd_mixer_selem_id_alloca(&id);
        snd_mixer_selem_id_set_name(id, control.toUtf8().constData());
        return snd_mixer_find_selem(m_handle, id);
    }

    snd_mixer_t *m_handle;
};

class AlsaCards final : public MixerSource
{
public:
    AlsaCards()
    {
        for (int card = -1; snd_card_next(&card) == 0 && card >= 0;)
            if (records(card))
                m_cards << card;
    }
    int cardCount() override { return int(m_cards.size()); }
    std::unique_ptr<Mixer> open(int index) override
    {
        const QByteArray name = "hw:" + QByteArray::number(m_cards.at(index));
        snd_mixer_t *handle = nullptr;
        if (snd_mixer_open(&handle, 0) < 0)
            return nullptr;
        if (snd_mixer_attach(handle, name.constData()) < 0 || snd_mixer_selem_register(handle, nullptr, nullptr) < 0
            || snd_mixer_load(handle) < 0) {
            snd_mixer_close(handle);
            return nullptr;
        }
        return std::make_unique<AlsaMixer>(handle);
    }

private:
    // Whether the card has a capture device: only those carry a line in.
    static bool records(int card)
    {
        snd_ctl_t *ctl = nullptr;
        const QByteArray name = "hw:" + QByteArray::number(card);
        if (snd_ctl_open(&ctl, name.constData(), 0) < 0)
            return false;
        bool found = false;
        snd_pcm_info_t *info;
        snd_pcm_info_alloca(&info);
        for (int device = -1; !found && snd_ctl_pcm_next_device(ctl, &device) == 0 && device >= 0;) {
            snd_pcm_info_set_device(info, unsigned(device));
            snd_pcm_info_set_subdevice(info, 0);
            snd_pcm_info_set_stream(info, SND_PCM_STREAM_CAPTURE);
            found = snd_ctl_pcm_info(ctl, info) >= 0;
        }
        snd_ctl_close(ctl);
        return found;
    }

    QList<int> m_cards;
};

} // namespace

void FindVolumeControls(MixerSource &mixers, Prompts &prompts)
{
    try {
        const int n = mixers.cardCount();
        for (int i = 0; i < n; ++i) {
            const std::unique_ptr<Mixer> mixer = mixers.open(i);
            if (!mixer)
                return;
            probe(*mixer);
        }
    } catch (const std::exception &e) {
        prompts.message(QCoreApplication::translate("modMixer", "Error occured in modMixer:FindVolumeControls: %1: %2")
                            .arg(QString::number(RuntimeError::numberOf(e)), RuntimeError::descriptionOf(e)),
                        Prompts::Exclamation, QCoreApplication::translate("modMixer", "%1 Error").arg(ProductName()));
    }
}

void FindVolumeControls(Prompts &prompts)
{
    AlsaCards cards;
    FindVolumeControls(cards, prompts);
}

} // namespace modMixer
