#pragma once

#include <QIODevice>

#include <memory>

class PlaybackFile;

// Feeds the output from a PlaybackFile, on the audio thread. A little silence follows
// the file's last sample, so that the output plays the real end out in full before it
// runs dry (the play position is taken from what the output has played).
class PlaybackStream final : public QIODevice
{
    Q_OBJECT

public:
    static constexpr int TailMs = 300;

    explicit PlaybackStream(QObject *parent = nullptr);

    // Plays `file` from `frame` on; false when the file cannot seek there.
    bool rewind(std::shared_ptr<PlaybackFile> file, qint64 frame);
    // Lets go of the file: nothing more to play.
    void clear();

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;
    bool atEnd() const override { return bytesAvailable() == 0; }

protected:
    qint64 readData(char *data, qint64 maxlen) override;
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    std::shared_ptr<PlaybackFile> m_file;
    qint64 m_bytesPerFrame = 2;
    qint64 m_fileBytesLeft = 0;
    qint64 m_tailBytesLeft = 0;
};
