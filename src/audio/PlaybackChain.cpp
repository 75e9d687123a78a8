#include "audio/PlaybackChain.h"

#include "audio/PlaybackFile.h"

#include <soundtouch/SoundTouch.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr qint64 ChunkFrames = 512;
constexpr double Ceiling = 0.891; // -1 dBFS: no sample reaches full scale
constexpr double ReleaseSeconds = 0.1;
// A profile that takes longer than this (a slow share) is not waited for.
constexpr int WaitMs = 3000;

} // namespace

PlaybackChain::PlaybackChain(std::shared_ptr<PlaybackFile> file, const PlayOptions &options,
                             QFuture<CallProfiles::Profile> profile)
    : m_file(std::move(file)), m_options(options), m_profile(std::move(profile))
{
    m_channels = m_file->channels();
    m_rate = m_file->sampleRate();
    m_options.speed = std::clamp(m_options.speed, 0.5, 2.0);
    if (m_options.speed != 1.0) {
        m_stretch = std::make_unique<soundtouch::SoundTouch>();
        m_stretch->setSampleRate(uint(m_rate));
        m_stretch->setChannels(uint(m_channels));
        m_stretch->setTempo(m_options.speed);
        // Speech: short sequences keep a voice free of echo.
        m_stretch->setSetting(SETTING_SEQUENCE_MS, 40);
        m_stretch->setSetting(SETTING_SEEKWINDOW_MS, 15);
        m_stretch->setSetting(SETTING_OVERLAP_MS, 8);
    }
    m_release = 1.0 - std::exp(-1.0 / (ReleaseSeconds * m_rate));
}

PlaybackChain::~PlaybackChain() = default;

bool PlaybackChain::seek(qint64 frame)
{
    m_startFrame = m_frame = qBound<qint64>(0, frame, m_file->frames());
    return m_file->seek(m_frame);
}

bool PlaybackChain::prepare()
{
    const bool needed = m_options.skipSilence || m_options.levelCalls;
    if (needed && !m_profile.isFinished() && m_waited < qint64(m_rate) * WaitMs / 1000)
        return false;
    m_prepared = true;
    const CallProfiles::Profile profile = needed && m_profile.isFinished() && m_profile.resultCount() > 0
                                              ? m_profile.result()
                                              : nullptr;
    if (!profile)
        return true;
    if (m_options.skipSilence)
        m_skips = profile->skips();
    if (m_options.levelCalls)
        m_gain = profile->gainTo(PlayOptions::LevelTarget);
    return true;
}

bool PlaybackChain::feed()
{
    if (m_fileDone)
        return false;
    while (m_nextSkip < m_skips.size() && m_skips[m_nextSkip].second <= m_frame)
        ++m_nextSkip;
    if (m_nextSkip < m_skips.size() && m_skips[m_nextSkip].first <= m_frame) {
        // In a long pause: on to its end.
        if (!m_file->seek(m_skips[m_nextSkip].second)) {
            m_fileDone = true;
            return false;
        }
        m_frame = m_skips[m_nextSkip++].second;
    }
    qint64 wanted = ChunkFrames;
    if (m_nextSkip < m_skips.size())
        wanted = std::min(wanted, m_skips[m_nextSkip].first - m_frame);
    m_raw.resize(size_t(wanted * m_channels));
    const qint64 n = wanted > 0 ? m_file->read(m_raw.data(), wanted) : 0;
    if (n <= 0) {
        m_fileDone = true;
        if (m_stretch)
            m_stretch->flush();
        return false;
    }
    m_marks.push_back({m_fed, m_frame, n});
    m_frame += n;
    m_fed += n;
    m_in.resize(size_t(n * m_channels));
    for (size_t i = 0; i < m_in.size(); ++i)
        m_in[i] = m_raw[i] / 32768.0f;
    if (m_stretch)
        m_stretch->putSamples(m_in.data(), uint(n));
    else
        m_pending.insert(m_pending.end(), m_in.begin(), m_in.end());
    return true;
}

qint64 PlaybackChain::take(float *out, qint64 frames)
{
    if (m_stretch)
        return m_stretch->receiveSamples(out, uint(frames));
    const qint64 n = std::min<qint64>(frames, qint64(m_pending.size()) / m_channels);
    std::copy_n(m_pending.begin(), n * m_channels, out);
    m_pending.erase(m_pending.begin(), m_pending.begin() + n * m_channels);
    return n;
}

void PlaybackChain::finish(float *samples, qint64 frames, qint16 *out)
{
    for (qint64 f = 0; f < frames; ++f) {
        float *s = samples + f * m_channels;
        double peak = 0;
        for (int c = 0; c < m_channels; ++c)
            peak = std::max(peak, std::fabs(s[c] * m_gain));
        // The limiter takes a peak down at once and lets go slowly.
        m_limit += (1.0 - m_limit) * m_release;
        if (peak * m_limit > Ceiling)
            m_limit = Ceiling / peak;
        const double g = m_gain * m_limit;
        for (int c = 0; c < m_channels; ++c)
            out[f * m_channels + c] = qint16(std::lrint(std::clamp(s[c] * g, -1.0, 32767.0 / 32768.0) * 32768.0));
    }
}

qint64 PlaybackChain::read(qint16 *out, qint64 frames)
{
    if (m_finished)
        return 0;
    if (!m_prepared && !prepare()) {
        // Silence while the profile is measured: a moment, once per call.
        std::fill_n(out, frames * m_channels, qint16(0));
        m_waited += frames;
        m_emitted += frames;
        return frames;
    }
    std::vector<float> buffer(size_t(frames * m_channels));
    qint64 done = 0;
    while (done < frames) {
        const qint64 n = take(buffer.data() + done * m_channels, frames - done);
        done += n;
        if (n == 0 && !feed() && (!m_stretch || m_stretch->numSamples() == 0)) {
            m_finished = true;
            break;
        }
    }
    if (m_options.levelCalls)
        finish(buffer.data(), done, out);
    else
        for (qint64 i = 0; i < done * m_channels; ++i)
            out[i] = qint16(std::lrint(std::clamp(buffer[size_t(i)], -1.0f, 32767.0f / 32768.0f) * 32768.0f));
    m_emitted += done;
    return done;
}

qint64 PlaybackChain::fileFrameAt(qint64 played)
{
    if (played <= m_waited || m_marks.empty())
        return m_marks.empty() && m_finished ? m_frame : m_startFrame;
    const double input = double(played - m_waited) * m_options.speed;
    while (m_marks.size() > 1 && m_marks[1].input <= input)
        m_marks.pop_front();
    const Mark &m = m_marks.front();
    const qint64 into = std::clamp<qint64>(qint64(input) - m.input, 0, m.length);
    // Past the last chunk, once everything is out: the end of what was read.
    if (m_finished && m_marks.size() == 1 && into == m.length)
        return m_frame;
    return m.frame + into;
}
