// Opening and starting to play WAV files with mangled headers, against a sound server of
// its own: short calls as the recorder writes them (PCM, GSM 6.10) and in the other
// encodings libsndfile reads, each header changed at random (a 16- or 32-bit field set to
// an edge value, a byte flipped, the file cut short). Every file must get a code, and
// those opened must start to play. Runs VOXMERE_FUZZ_SECONDS (default 180);
// VOXMERE_FUZZ_SEED repeats a run. Should the process die or hang, the file to blame is
// current.wav in the folder it names on stderr.
#include "Benchmark.h"

#include "audio/AudioEngine.h"
#include "audio/WaveWriter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QMap>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>

#include <sndfile.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int DefaultSeconds = 180;
constexpr int Rate = 8000;
constexpr int Frames = Rate / 4;
constexpr int PlayMs = 40; // two periods of the output: long enough for it to pull samples

std::vector<qint16> tone(int channels)
{
    std::vector<qint16> out(size_t(Frames * channels));
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = qint16(10000 * std::sin(2 * M_PI * 440 * double(i / channels) / Rate));
    return out;
}

bool writeWithEngine(const QString &path, const WaveFormat &format)
{
    qint16 code = 0;
    auto file = WaveWriter::create(path, format, code);
    const std::vector<qint16> samples = tone(1);
    return file && file->write(reinterpret_cast<const char *>(samples.data()), Frames) && file->finish();
}

bool writeWithSndfile(const QString &path, int format, int channels)
{
    SF_INFO info{};
    info.samplerate = Rate;
    info.channels = channels;
    info.format = format;
    SNDFILE *sf = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (!sf)
        return false;
    const std::vector<qint16> samples = tone(channels);
    const bool ok = sf_writef_short(sf, samples.data(), Frames) == Frames;
    return sf_close(sf) == 0 && ok;
}

// The good files the mangled ones start from, each with where its samples begin.
QList<std::pair<QByteArray, qsizetype>> seeds(const QDir &dir)
{
    const QString path = dir.filePath(u"seed.wav"_s);
    QList<std::function<bool()>> makers = {
        [&] { return writeWithEngine(path, WaveFormat::pcm(Rate)); },
        [&] { return writeWithEngine(path, WaveFormat::gsm()); },
    };
    for (const int format : {SF_FORMAT_PCM_U8, SF_FORMAT_PCM_24, SF_FORMAT_FLOAT, SF_FORMAT_ULAW,
                             SF_FORMAT_IMA_ADPCM, SF_FORMAT_MS_ADPCM, SF_FORMAT_G721_32})
        makers << [&, format] { return writeWithSndfile(path, SF_FORMAT_WAV | format, 1); };
    makers << [&] { return writeWithSndfile(path, SF_FORMAT_WAVEX | SF_FORMAT_PCM_16, 2); };
    QList<std::pair<QByteArray, qsizetype>> out;
    for (const auto &make : makers) {
        QFile::remove(path);
        if (!make())
            return {};
        QFile file(path);
        const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        const qsizetype data = bytes.indexOf("data");
        if (data < 0)
            return {};
        out.append({bytes, data + 8});
    }
    return out;
}

QByteArray mangle(QByteArray file, qsizetype header, QRandomGenerator &random)
{
    static const quint32 edges[] = {0, 1, 2, 3, 7, 8, 49, 50, 255, 256, 320, 999, 1000, 8000, 65535,
                                    65536, 192000, 192001, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFE, 0xFFFFFFFF};
    for (int n = 1 + random.bounded(3); n > 0; --n) {
        const int kind = random.bounded(10);
        if (kind < 6) { // a field
            const int width = random.bounded(2) ? 4 : 2;
            const qsizetype at = random.bounded(int(qMax<qsizetype>(1, (header - width) / 2 + 1))) * 2;
            const quint32 value = random.bounded(4) ? edges[random.bounded(int(std::size(edges)))] : random.generate();
            for (int i = 0; i < width && at + i < file.size(); ++i)
                file[at + i] = char(value >> (8 * i));
        } else if (kind < 8) { // a byte
            if (const qsizetype end = qMin(header, file.size()); end > 0)
                file[random.bounded(int(end))] ^= char(1 << random.bounded(8));
        } else {
            file.truncate(random.bounded(int(file.size()) + 1));
        }
    }
    return file;
}

void waitMs(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int benchPlayFuzz()
{
    const int asked = qEnvironmentVariableIntValue("VOXMERE_FUZZ_SECONDS");
    const int seconds = asked > 0 ? asked : DefaultSeconds;
    const quint32 seed = qEnvironmentVariableIsSet("VOXMERE_FUZZ_SEED")
                             ? quint32(qEnvironmentVariableIntValue("VOXMERE_FUZZ_SEED"))
                             : QRandomGenerator::global()->bounded(1u << 31);
    if (!Bench::useOwnSoundServer()) {
        fprintf(stderr, "playfuzz: cannot start the sound server (scripts/sound-server)\n");
        return 1;
    }
    QTemporaryDir dir(u"/tmp/voxmere-playfuzz-XXXXXX"_s);
    const auto good = seeds(QDir(dir.path()));
    if (good.isEmpty()) {
        fprintf(stderr, "playfuzz: cannot write the good files\n");
        return 1;
    }
    fprintf(stderr, "playfuzz: seed %u, files in %s\n", seed, qPrintable(dir.path()));
    dir.setAutoRemove(false); // kept should a file kill the process; removed below

    QRandomGenerator random(seed);
    const QString path = dir.filePath(u"current.wav"_s);
    QMap<int, int> openCodes, playCodes;
    qint64 files = 0, slowestOpenUs = 0, slowestPlayUs = 0;
    QElapsedTimer wall, step;
    wall.start();
    AudioEngine engine;
    while (wall.elapsed() < seconds * 1000LL) {
        const auto &[bytes, header] = good[random.bounded(int(good.size()))];
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly) || out.write(mangle(bytes, header, random)) < 0) {
            fprintf(stderr, "playfuzz: cannot write %s\n", qPrintable(path));
            return 1;
        }
        out.close();
        ++files;
        step.start();
        const qint16 code = engine.Open(path);
        slowestOpenUs = qMax(slowestOpenUs, step.nsecsElapsed() / 1000);
        ++openCodes[code];
        if (code != 0)
            continue;
        step.start();
        const qint16 played = engine.Play();
        slowestPlayUs = qMax(slowestPlayUs, step.nsecsElapsed() / 1000);
        ++playCodes[played];
        waitMs(PlayMs);
        engine.Close();
    }
    Bench::report("playfuzz_seconds", wall.elapsed() / 1000.0, 0);
    Bench::report("playfuzz_files", double(files), 0);
    for (auto it = openCodes.cbegin(); it != openCodes.cend(); ++it)
        Bench::report(qPrintable(u"playfuzz_open_code_%1"_s.arg(it.key())), it.value(), 0);
    for (auto it = playCodes.cbegin(); it != playCodes.cend(); ++it)
        Bench::report(qPrintable(u"playfuzz_play_code_%1"_s.arg(it.key())), it.value(), 0);
    Bench::report("playfuzz_slowest_open_ms", slowestOpenUs / 1000.0);
    Bench::report("playfuzz_slowest_play_ms", slowestPlayUs / 1000.0);
    dir.remove();
    if (playCodes.value(0) != openCodes.value(0)) {
        fprintf(stderr, "playfuzz: a file the player opened did not play\n");
        return 1;
    }
    return 0;
}
