#pragma once

#include "audio/CallProfile.h"
#include "base/RecorderComponent.h"

#include <QIODevice>

#include <memory>

class PlaybackChain;
class PlaybackFile;

// Feeds the output from a PlaybackChain, on the audio thread. A little silence follows
// the call's last sample, so that the output plays the real end out in full before it
// runs dry (the play position is taken from what the output has played).
class PlaybackStream final : public QIODevice
{
    Q_OBJECT

public:
    static constexpr int TailMs = 300;

    explicit PlaybackStream(QObject *parent = nullptr);
    ~PlaybackStream() override;

    // Plays `file` from `frame` on; false when the file cannot seek there.
    bool rewind(std::shared_ptr<PlaybackFile> file, qint64 frame, const PlayOptions &options = {},
                QFuture<CallProfiles::Profile> profile = {});
    // Lets go of the file: nothing more to play.
    void clear();
    // The file frame heard once the output has played `played` frames since the rewind.
    qint64 fileFrameAt(qint64 played);

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;
    bool atEnd() const override { return bytesAvailable() == 0; }

protected:
    qint64 readData(char *data, qint64 maxlen) override;
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    std::unique_ptr<PlaybackChain> m_chain;
    qint64 m_bytesPerFrame = 2;
    qint64 m_fileBytesLeft = 0; // about: skips and the speed make it less
    qint64 m_tailBytesLeft = 0;
};
