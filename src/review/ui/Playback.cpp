#include "review/ui/Playback.h"

#include "base/FileNames.h"
#include "base/Guarded.h"
#include "base/MainState.h"
#include "base/modErrors.h"
#include "base/modUtilityFunctions.h"
#include "base/Product.h"
#include "base/Prompts.h"
#include "base/RecorderComponent.h"
#include "base/RuntimeError.h"
#include "callstore/FileJob.h"
#include "controls/kvtSlider.h"

#include <QLabel>

#include <atomic>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

// Whole seconds, halves to the even number, as the time display has always rounded.
qint32 wholeSeconds(double seconds)
{
    return qint32(std::nearbyint(seconds));
}

} // namespace

Playback::Playback(RecorderComponent &player, MainState &mainState, Prompts &prompter,
                   kvtSlider &slider, QLabel &label, Links callbacks, QObject *parent)
    : QObject(parent), MSSRPlayer(player), state(mainState), prompts(prompter),
      sldPlayBackPos(slider), lblPlaybackPos(label), links(std::move(callbacks))
{
    tmrPlaybackPos.setObjectName(u"tmrPlaybackPos"_s);
    tmrPlaybackPos.setInterval(PositionInterval);
    connect(&tmrPlaybackPos, &QTimer::timeout, this,
            Guarded(prompts, u"frmMain:tmrPlaybackPos_Timer"_s, [this] { tmrPlaybackPos_Timer(); }));
    connect(&sldPlayBackPos, &kvtSlider::MouseDown, this, [this](qint16 button) {
        RunGuarded(this->prompts, u"frmMain:sldPlayBackPos_MouseDown"_s, [&] { sldPlayBackPos_MouseDown(button); });
    });
    connect(&sldPlayBackPos, &kvtSlider::ValueChanged, this,
            Guarded(prompts, u"frmMain:sldPlayBackPos_ValueChanged"_s, [this] { sldPlayBackPos_ValueChanged(); }));
    connect(&sldPlayBackPos, &kvtSlider::KeyStepped, this, [this] {
        RunGuarded(this->prompts, u"frmMain:sldPlayBackPos_KeyStepped"_s, [&] { sldPlayBackPos_KeyStepped(); });
    });
    connect(&sldPlayBackPos, &kvtSlider::MouseUp, this, [this](qint16 button) {
        RunGuarded(this->prompts, u"frmMain:sldPlayBackPos_MouseUp"_s, [&] { sldPlayBackPos_MouseUp(button); });
    });
}

void Playback::PlayCall(const QString &key)
{
    MSSRPlayer.Close();
    QString path;
    try {
        if (const colCalls::Record call = links.GetCallByKey ? links.GetCallByKey(key) : nullptr)
            path = call->RecordingLocation();
    } catch (const std::exception &e) {
        modErrors::ReportError(prompts, RuntimeError::numberOf(e), RuntimeError::descriptionOf(e),
                               999, u"frmMain:PlayCall Method"_s, QString());
        return;
    }
    if (path.isEmpty()) {
        prompts.message(tr("Call file doesnt exist!"), Prompts::Exclamation, ProductName());
        return;
    }
    // The call may sit on a share that hangs: it is looked at and its header read in a job
    // (which gives up on a folder that does not answer), and played once it has answered. A
    // call chosen since makes an older look's answer moot.
    struct Look
    {
        std::atomic<bool> done = false; // false when the job gave up on the share
        int error = 0;
        mode_t mode = 0;
        std::shared_ptr<RecorderComponent::OpenedFile> opened;
    };
    setTypeFor(path);
    auto look = std::make_shared<Look>();
    const quint64 asked = ++m_looks;
    m_looking = true;
    auto *job = new FileJob(prompts, u"frmMain:PlayCall Method"_s, [path, look, open = MSSRPlayer.FileOpener()](FileJob::Control &) {
        struct stat st {};
        look->error = ::stat(FileNames::encode(path).constData(), &st) == 0 ? 0 : errno;
        look->mode = st.st_mode;
        if (!look->error && S_ISREG(st.st_mode))
            look->opened = open(path);
        look->done = true;
    }, this);
    job->giveUpAfter(FileJob::StallLimit);
    GuardedConnect(prompts, u"frmMain:PlayCall Method"_s, job, &FileJob::finished, this, [this, job, path, look, asked] {
        job->deleteLater();
        if (asked != m_looks)
            return;
        m_looking = false;
        if (!look->done)
            return;
        if (look->error && look->error != ENOENT && look->error != ENOTDIR) {
            // Not gone: out of reach, as on a share whose server is down.
            prompts.message(tr("The call cannot be reached (%1); its share or server may be down.")
                                .arg(QString::fromLocal8Bit(strerror(look->error))),
                            Prompts::Exclamation, ProductName());
            return;
        }
        if (look->error || !S_ISREG(look->mode)) {
            prompts.message(tr("Call file doesnt exist!"), Prompts::Exclamation, ProductName());
            return;
        }
        openAndPlay(path, look->opened);
    });
}

void Playback::setTypeFor(const QString &path)
{
    MSSRPlayer.setOpenMode(1);
    const QString ending = path.right(3).toLower();
    if (ending == u"wav"_s)
        MSSRPlayer.setFileType(0);
    else if (ending == u"mp3"_s)
        MSSRPlayer.setFileType(2);
}

void Playback::PlayFile(const QString &path)
{
    setTypeFor(path);
    openAndPlay(path, nullptr);
}

void Playback::openAndPlay(const QString &path, const std::shared_ptr<RecorderComponent::OpenedFile> &opened)
{
    const qint16 code = MSSRPlayer.Open(path, opened);
    if (code != 0) {
        prompts.message(tr("Failed to open call for playback! Error was: ") + QString::number(code),
                        Prompts::Exclamation, ProductName());
        return;
    }
    if (MSSRPlayer.State() != 2) {
        prompts.message(tr("Error - player not ready to play!"), Prompts::Exclamation, ProductName());
        return;
    }
    if (MSSRPlayer.SampleCount() == 0) {
        prompts.message(tr("Error - no samples!"), Prompts::Exclamation, ProductName());
        return;
    }

    state.PlaybackOpen = true;
    sldPlayBackPos.setValue(0);
    // Rounded up to a whole second; a file shorter than half a second still gets a
    // range of one, as the slider needs Max above Min.
    sldPlayBackPos.setMax(qMax(1, wholeSeconds(MSSRPlayer.Length() + 0.5)));
    tmrPlaybackPos.start();
    MSSRPlayer.setPosition(0);
    if (links.SuspendDetection)
        links.SuspendDetection();
    MSSRPlayer.Play();
}

void Playback::StopPlayback()
{
    MSSRPlayer.Close();
    MSSRPlayer.setPaused(false);
    showPosition(0);
    sldPlayBackPos.setValue(0);
    tmrPlaybackPos.stop();
    state.PlaybackOpen = false;
    if (links.ResumeDetection)
        links.ResumeDetection();
}

void Playback::cmdPlay_Click()
{
    if (state.PlaybackOpen) {
        // The open call plays again from the start.
        MSSRPlayer.setPosition(0);
        if (MSSRPlayer.Paused())
            MSSRPlayer.setPaused(false);
        return;
    }
    if (!links.HasCalls || !links.HasCalls() || !links.SelectedKey)
        return;
    const QString key = links.SelectedKey();
    if (!key.isEmpty()) // rows listed but none selected: nothing to play
        PlayCall(key);
}

void Playback::cmdPause_Click()
{
    if (state.PlaybackOpen)
        MSSRPlayer.setPaused(!MSSRPlayer.Paused());
}

void Playback::cmdStop_Click()
{
    if (!state.RecordActive && state.PlaybackOpen)
        StopPlayback();
}

void Playback::cmdPBOffsetMinus_Click(int index)
{
    if (!state.PlaybackOpen)
        return;
    try {
        // The slider follows on the next tick.
        MSSRPlayer.setPosition(qMax(0.0, MSSRPlayer.Position() - index));
    } catch (const std::exception &e) {
        reportSkipError(e, "cmdPBOffsetMinus_Click", index);
    }
}

void Playback::cmdPBOffsetPlus_Click(int index)
{
    if (!state.PlaybackOpen)
        return;
    try {
        const double position = qMin(MSSRPlayer.Position() + index, MSSRPlayer.Length());
        if (MSSRPlayer.Paused()) // no tick moves it while paused
            sldPlayBackPos.setValue(wholeSeconds(position));
        MSSRPlayer.setPosition(position);
    } catch (const std::exception &e) {
        reportSkipError(e, "cmdPBOffsetPlus_Click", index);
    }
}

void Playback::reportSkipError(const std::exception &e, const char *handler, int index)
{
    modErrors::ReportError(prompts, RuntimeError::numberOf(e), RuntimeError::descriptionOf(e), 999,
                           u"frmMain:"_s + QLatin1StringView(handler) + u'(' + QString::number(index)
                               + u") Method"_s,
                           QString());
}

void Playback::tmrPlaybackPos_Timer()
{
    if (MSSRPlayer.SamplePosition() < MSSRPlayer.SampleCount()) {
        showPosition(wholeSeconds(MSSRPlayer.Position()));
        setSliderSeconds(MSSRPlayer.Position());
    } else {
        StopPlayback(); // play has reached the end
    }
}

void Playback::sldPlayBackPos_MouseDown(qint16)
{
    if (!state.PlaybackOpen)
        return;
    SliderDragging = true;
    MSSRPlayer.setPaused(true);
    tmrPlaybackPos.stop();
}

void Playback::sldPlayBackPos_ValueChanged()
{
    // The player is left alone until the thumb is let go.
    if (state.PlaybackOpen && SliderDragging)
        showPosition(sldPlayBackPos.Value());
}

void Playback::sldPlayBackPos_KeyStepped()
{
    // A step of the keyboard seeks at once; playing or paused, the call stays so.
    if (!state.PlaybackOpen || SliderDragging) {
        if (!state.PlaybackOpen)
            sldPlayBackPos.setValue(0);
        return;
    }
    MSSRPlayer.setPosition(sldPlayBackPos.Value());
    showPosition(wholeSeconds(MSSRPlayer.Position()));
}

void Playback::sldPlayBackPos_MouseUp(qint16)
{
    if (!state.PlaybackOpen) {
        sldPlayBackPos.setValue(0);
        return;
    }
    SliderDragging = false;
    MSSRPlayer.setPosition(sldPlayBackPos.Value());
    showPosition(wholeSeconds(MSSRPlayer.Position()));
    MSSRPlayer.setPaused(false); // letting go always plays on
    tmrPlaybackPos.start();
}

void Playback::showPosition(qint32 seconds)
{
    lblPlaybackPos.setText(modUtilityFunctions::FormatTime(seconds, 1));
}

void Playback::setSliderSeconds(double seconds)
{
    // A player reporting a little past its length must not make the slider refuse the value.
    sldPlayBackPos.setValue(std::clamp(wholeSeconds(seconds), sldPlayBackPos.Min(), sldPlayBackPos.Max()));
}
