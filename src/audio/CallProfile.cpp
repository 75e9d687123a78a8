#include "audio/CallProfile.h"

#include "audio/GsmLanes.h"
#include "audio/PlaybackFile.h"
#include "base/FileAccess.h"

#include <QFile>
#include <QHash>
#include <QPromise>
#include <QThread>
#include <QThreadPool>
#include <QtEndian>

#include <ebur128.h>

#include <algorithm>
#include <cmath>
#include <mutex>
#include <thread>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int ChunkFrames = 8192;
constexpr double MaxGainDb = 24.0;
// A pause is this much above the noise floor at most, and never louder than this.
constexpr double QuietAboveFloorDb = 10.0;
constexpr double QuietCeilingDb = -35.0;

float toDb(double meanSquare)
{
    return meanSquare > 0 ? std::max(CallProfile::SilentDb, float(10 * std::log10(meanSquare))) : CallProfile::SilentDb;
}

using Meter = std::unique_ptr<ebur128_state, void (*)(ebur128_state *)>;

// One stretch of a call measured: the levels of its blocks and a loudness meter of its own.
struct Part
{
    Part(int channels, int rate, int blockFrames)
        : meter(ebur128_init(unsigned(channels), static_cast<unsigned long>(rate), EBUR128_MODE_I),
                [](ebur128_state *s) { ebur128_destroy(&s); }),
          channels(channels), blockFrames(blockFrames)
    {
    }
    void add(const qint16 *s, qint64 frames)
    {
        if (meter)
            ebur128_add_frames_short(meter.get(), s, size_t(frames));
        while (frames > 0) {
            const qint64 n = std::min<qint64>(frames, blockFrames - inBlock);
            qint64 squares = 0;
            for (qint64 i = 0; i < n * channels; ++i)
                squares += s[i] * s[i];
            sum += double(squares);
            s += n * channels;
            frames -= n;
            if ((inBlock += int(n)) == blockFrames)
                end();
        }
    }
    void end()
    {
        if (inBlock > 0)
            blockDb.push_back(toDb(sum / (32768.0 * 32768.0 * channels) / inBlock));
        sum = 0;
        inBlock = 0;
    }

    Meter meter;
    std::vector<float> blockDb;
    int channels, blockFrames;
    double sum = 0;
    int inBlock = 0;
};

constexpr qint64 MaxWholeBytes = 64 << 20; // some ten hours of GSM 6.10

// Where the "data" chunk of a RIFF file starts, and its size; -1 without one.
std::pair<qsizetype, qint64> dataChunk(const QByteArray &file)
{
    for (qsizetype at = 12; file.startsWith("RIFF") && at + 8 <= file.size();) {
        const qint64 size = qFromLittleEndian<quint32>(file.constData() + at + 4);
        if (file.mid(at, 4) == "data")
            return {at + 8, std::min<qint64>(size, file.size() - at - 8)};
        at += 8 + size + (size & 1);
    }
    return {-1, 0};
}

// GSM 6.10 in WAV decoded in stretches side by side, up to GsmLanes::Count on each thread,
// into one part each: a stretch that starts two blocks early has settled by its first block.
bool measureGsm(const QString &path, qint64 frames, int blockFrames, std::vector<Part> &parts)
{
    QFile file;
    const int fd = FileAccess::OpenRegular(path);
    if (fd < 0)
        return false;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    if (file.size() > MaxWholeBytes)
        return false; // read as it streams instead
    const QByteArray bytes = file.readAll();
    const auto [data, size] = dataChunk(bytes);
    if (data < 0)
        return false;
    constexpr int Lanes = GsmLanes::Count, BlockFrames = GsmLanes::BlockFrames;
    const qint64 blocks = std::min(size / GsmLanes::BlockBytes, (frames + BlockFrames - 1) / BlockFrames);
    // Long enough that the loudness meters' 400 ms windows lost at the joins do not count.
    constexpr qint64 ShortestStretch = 30 * 8000 / BlockFrames;
    const qint64 threads = std::clamp(QThread::idealThreadCount(), 1, 4);
    const qint64 count = std::clamp<qint64>(blocks / ShortestStretch, 1, threads * Lanes);
    for (qint64 i = 0; i < count; ++i)
        parts.emplace_back(1, 8000, blockFrames);
    const qint64 used = (count + Lanes - 1) / Lanes; // threads, each with every used-th part
    const auto *first = reinterpret_cast<const unsigned char *>(bytes.constData() + data);
    auto work = [&](qint64 t) {
        qint64 start[Lanes], from[Lanes], to[Lanes], longest = 0;
        for (int l = 0; l < Lanes; ++l) {
            const qint64 part = t + l * used;
            from[l] = part < count ? blocks * part / count : 0;
            to[l] = part < count ? blocks * (part + 1) / count : 0;
            start[l] = std::max<qint64>(0, from[l] - 2);
            longest = std::max(longest, to[l] - start[l]);
        }
        auto lanes = std::make_unique<GsmLanes>();
        auto out = std::make_unique<GsmLanes::Block[]>(Lanes);
        for (qint64 step = 0; step < longest; ++step) {
            const unsigned char *in[Lanes];
            for (int l = 0; l < Lanes; ++l)
                in[l] = start[l] + step < to[l] ? first + (start[l] + step) * GsmLanes::BlockBytes : nullptr;
            lanes->decode(in, out.get());
            for (int l = 0; l < Lanes; ++l)
                if (const qint64 b = start[l] + step; b >= from[l] && b < to[l])
                    parts[size_t(t + l * used)].add(out[l].data(), std::min<qint64>(BlockFrames, frames - b * BlockFrames));
        }
    };
    std::vector<std::thread> others;
    for (qint64 t = 1; t < used; ++t)
        others.emplace_back(work, t);
    work(0);
    for (std::thread &t : others)
        t.join();
    return true;
}

} // namespace

std::shared_ptr<const CallProfile> CallProfile::measure(const QString &path, qint16 *code)
{
    qint16 openCode = 0;
    std::unique_ptr<PlaybackFile> file = PlaybackFile::open(path, -1, openCode);
    if (code)
        *code = openCode;
    if (!file)
        return nullptr;
    auto p = std::make_shared<CallProfile>();
    p->rate = file->sampleRate();
    p->frames = file->frames();
    p->blockFrames = std::max(1, p->rate * BlockMs / 1000);
    const int channels = file->channels();

    std::vector<Part> parts;
    const bool gsm = file->description().startsWith(u"GSM 6.10 8.000 kHz, Mono"_s);
    if (!gsm || !measureGsm(path, p->frames, p->blockFrames, parts)) {
        parts.clear();
        parts.emplace_back(channels, p->rate, p->blockFrames);
        std::vector<qint16> samples(size_t(ChunkFrames) * channels);
        for (qint64 n; (n = file->read(samples.data(), ChunkFrames)) > 0;)
            parts[0].add(samples.data(), n);
    }
    parts.back().end();
    std::vector<ebur128_state *> meters;
    for (Part &part : parts) {
        p->blockDb.insert(p->blockDb.end(), part.blockDb.begin(), part.blockDb.end());
        if (part.meter)
            meters.push_back(part.meter.get());
    }
    double lufs = -HUGE_VAL;
    if (meters.size() == parts.size()
        && ebur128_loudness_global_multiple(meters.data(), meters.size(), &lufs) == EBUR128_SUCCESS
        && std::isfinite(lufs))
        p->loudness = std::max(-70.0, lufs);

    if (!p->blockDb.empty()) {
        std::vector<float> sorted = p->blockDb;
        const auto tenth = sorted.begin() + qsizetype(sorted.size() / 10);
        std::nth_element(sorted.begin(), tenth, sorted.end());
        p->floorDb = *tenth;
        p->quietDb = std::min(p->floorDb + QuietAboveFloorDb, QuietCeilingDb);
    }
    return p;
}

QList<float> CallProfile::overview(int bins, double spanSeconds) const
{
    QList<float> out(std::max(0, bins), 0.0f);
    if (blockDb.empty() || bins <= 0 || spanSeconds <= 0)
        return out;
    const float top = *std::max_element(blockDb.begin(), blockDb.end());
    const float bottom = float(floorDb);
    if (top <= bottom)
        return out;
    const double blocksPerBin = spanSeconds * rate / blockFrames / bins;
    for (int b = 0; b < bins; ++b) {
        const auto from = size_t(b * blocksPerBin);
        const auto to = std::min(blockDb.size(), std::max(from + 1, size_t((b + 1) * blocksPerBin)));
        if (from >= blockDb.size())
            break;
        const float loudest = *std::max_element(blockDb.begin() + qsizetype(from), blockDb.begin() + qsizetype(to));
        out[b] = std::clamp((loudest - bottom) / (top - bottom), 0.0f, 1.0f);
    }
    return out;
}

std::vector<std::pair<qint64, qint64>> CallProfile::skips(double pause, double keep) const
{
    std::vector<std::pair<qint64, qint64>> out;
    const qint64 longest = qint64(pause * rate), kept = qint64(keep * rate / 2);
    size_t i = 0;
    while (i < blockDb.size()) {
        if (blockDb[i] > quietDb) {
            ++i;
            continue;
        }
        size_t j = i;
        while (j < blockDb.size() && blockDb[j] <= quietDb)
            ++j;
        const qint64 from = qint64(i) * blockFrames, to = std::min(frames, qint64(j) * blockFrames);
        if (to - from > longest)
            out.emplace_back(from + kept, to == frames ? to : to - kept);
        i = j;
    }
    return out;
}

double CallProfile::gainTo(double target) const
{
    return std::pow(10.0, std::min(MaxGainDb, target - loudness) / 20.0);
}

namespace CallProfiles {

namespace {

struct Entry
{
    qint64 size = -1;
    qint64 mtimeNs = 0;
    Profile profile;
};

struct Cache
{
    static constexpr int Kept = 64;
    std::mutex lock;
    QHash<QString, Entry> entries;
    QThreadPool pool;
    Cache() { pool.setMaxThreadCount(1); } // one after another: a second ask finds the first's answer
};

Cache &cache()
{
    static Cache c;
    return c;
}

Profile lookUp(const QString &path)
{
    struct stat st{};
    const int fd = FileAccess::OpenRegular(path, &st);
    if (fd < 0)
        return nullptr;
    ::close(fd);
    const qint64 mtime = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    Cache &c = cache();
    {
        std::lock_guard guard(c.lock);
        const auto it = c.entries.constFind(path);
        if (it != c.entries.cend() && it->size == st.st_size && it->mtimeNs == mtime)
            return it->profile;
    }
    Profile p = CallProfile::measure(path);
    std::lock_guard guard(c.lock);
    if (c.entries.size() >= Cache::Kept)
        c.entries.clear(); // a day's review seldom comes back this far
    if (p)
        c.entries.insert(path, Entry{st.st_size, mtime, p});
    return p;
}

} // namespace

QFuture<Profile> of(const QString &path)
{
    auto promise = std::make_shared<QPromise<Profile>>();
    QFuture<Profile> future = promise->future();
    promise->start();
    cache().pool.start([promise, path] {
        if (!promise->isCanceled()) // not asked for any more: the next ask comes sooner
            promise->addResult(lookUp(path));
        promise->finish();
    });
    return future;
}

} // namespace CallProfiles
