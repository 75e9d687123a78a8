#pragma once

#include <QFuture>
#include <QList>
#include <QString>

#include <memory>
#include <utility>
#include <vector>

// What one pass over a call finds: its level every 10 ms, its noise floor and its
// loudness (EBU R128 integrated). The overview, the pauses skipped and the gain that
// brings it to a common loudness all come from it.
struct CallProfile
{
    static constexpr int BlockMs = 10;

    int rate = 8000;
    qint64 frames = 0;
    int blockFrames = 80;
    std::vector<float> blockDb; // RMS of each block, dBFS, at least SilentDb
    double loudness = -70.0;    // LUFS; -70 (the absolute gate) when nothing is loud
    double floorDb = SilentDb;  // the quieter blocks' level: the line's noise
    double quietDb = SilentDb;  // at or below it a block counts as a pause
    static constexpr float SilentDb = -100.0f;

    // Reads the file (see PlaybackFile); null when it cannot be read, `code` says why.
    static std::shared_ptr<const CallProfile> measure(const QString &path, qint16 *code = nullptr);

    double seconds() const { return rate ? double(frames) / rate : 0.0; }
    // Loud and quiet parts, 0 (the floor) to 1 (the loudest block), in `bins` equal parts
    // of `spanSeconds` from the start (beyond the call: 0).
    QList<float> overview(int bins, double spanSeconds) const;
    // The frames [from, to) to leave out so that every pause longer than `pause` seconds
    // plays as `keep` seconds, half of it at each end.
    std::vector<std::pair<qint64, qint64>> skips(double pause = 1.0, double keep = 0.3) const;
    // The gain that brings the call to `target` LUFS, at most +24 dB.
    double gainTo(double target) const;
};

// Profiles measured on a thread of their own, one at a time, and kept while a file keeps
// its size and modification time.
namespace CallProfiles {
using Profile = std::shared_ptr<const CallProfile>;
QFuture<Profile> of(const QString &path);
} // namespace CallProfiles
