#include "audio/PlaybackStream.h"

#include "audio/PlaybackFile.h"

#include <cstring>

PlaybackStream::PlaybackStream(QObject *parent) : QIODevice(parent)
{
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

bool PlaybackStream::rewind(std::shared_ptr<PlaybackFile> file, qint64 frame)
{
    m_file = std::move(file);
    PlaybackFile *f = m_file.get();
    m_bytesPerFrame = qint64(f->channels()) * 2;
    frame = qBound<qint64>(0, frame, f->frames());
    if (!f->seek(frame))
        return false;
    m_fileBytesLeft = (f->frames() - frame) * m_bytesPerFrame;
    m_tailBytesLeft = qint64(f->sampleRate()) * TailMs / 1000 * m_bytesPerFrame;
    return true;
}

void PlaybackStream::clear()
{
    m_file.reset();
    m_fileBytesLeft = m_tailBytesLeft = 0;
}

qint64 PlaybackStream::bytesAvailable() const
{
    return m_fileBytesLeft + m_tailBytesLeft + QIODevice::bytesAvailable();
}

qint64 PlaybackStream::readData(char *data, qint64 maxlen)
{
    if (!m_file)
        return 0;
    const qint64 wanted = maxlen / m_bytesPerFrame;
    qint64 done = 0;
    if (m_fileBytesLeft > 0) {
        const qint64 frames = qMin(wanted, m_fileBytesLeft / m_bytesPerFrame);
        done = m_file->read(reinterpret_cast<qint16 *>(data), frames);
        if (done < frames)
            m_fileBytesLeft = 0; // the file ended early (a truncated recording)
        else
            m_fileBytesLeft -= done * m_bytesPerFrame;
    }
    if (done < wanted && m_fileBytesLeft == 0 && m_tailBytesLeft > 0) {
        const qint64 silence = qMin((wanted - done) * m_bytesPerFrame, m_tailBytesLeft);
        memset(data + done * m_bytesPerFrame, 0, size_t(silence));
        m_tailBytesLeft -= silence;
        return done * m_bytesPerFrame + silence;
    }
    return done * m_bytesPerFrame;
}
