#pragma once

#include "audio/CallProfile.h"
#include "base/RecorderComponent.h"

#include <QFuture>

#include <deque>
#include <memory>
#include <vector>

class PlaybackFile;
namespace soundtouch { class SoundTouch; }

// What is played of a call, from a frame on: the file's frames, long pauses left out,
// stretched to the speed with the pitch kept (SoundTouch), brought to the common loudness
// under a limiter. Tells which file frame an output frame came from, so that the play
// position stays in the call's own time.
class PlaybackChain
{
public:
    PlaybackChain(std::shared_ptr<PlaybackFile> file, const PlayOptions &options,
                  QFuture<CallProfiles::Profile> profile);
    ~PlaybackChain();
    PlaybackChain(const PlaybackChain &) = delete;
    PlaybackChain &operator=(const PlaybackChain &) = delete;

    // False when the file cannot seek there.
    bool seek(qint64 frame);
    // Up to `frames` interleaved 16-bit frames; fewer only once the call is played out.
    qint64 read(qint16 *out, qint64 frames);
    bool finished() const { return m_finished; }
    // The file frame heard at the `played`th frame read; asked in growing order.
    qint64 fileFrameAt(qint64 played);
    int channels() const { return m_channels; }

private:
    bool prepare();       // once the profile is known (or not needed)
    bool feed();          // one chunk of the file into the chain; false at its end
    qint64 take(float *out, qint64 frames);
    void finish(float *samples, qint64 frames, qint16 *out);

    struct Mark
    {
        qint64 input; // frames fed before this chunk
        qint64 frame; // the file frame it began at
        qint64 length;
    };

    std::shared_ptr<PlaybackFile> m_file;
    PlayOptions m_options;
    QFuture<CallProfiles::Profile> m_profile;
    std::unique_ptr<soundtouch::SoundTouch> m_stretch; // none at 1x: the file as it is
    int m_channels = 1;
    int m_rate = 8000;
    qint64 m_frame = 0;        // next file frame to read
    qint64 m_startFrame = 0;
    qint64 m_fed = 0;          // frames into the stretch (or straight out)
    qint64 m_waited = 0;       // silent frames given while the profile was measured
    qint64 m_emitted = 0;
    bool m_prepared = false;
    bool m_fileDone = false;
    bool m_finished = false;
    std::vector<std::pair<qint64, qint64>> m_skips;
    size_t m_nextSkip = 0;
    std::deque<Mark> m_marks;
    std::vector<float> m_in, m_pending; // m_pending: fed but not yet taken (no stretch)
    std::vector<qint16> m_raw;
    double m_gain = 1.0;
    double m_limit = 1.0;      // the limiter's gain, under 1 while it holds a peak down
    double m_release = 0.0;
};
