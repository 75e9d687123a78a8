#include "audio/PlaybackStream.h"

#include "audio/PlaybackChain.h"
#include "audio/PlaybackFile.h"

#include <cstring>

PlaybackStream::PlaybackStream(QObject *parent) : QIODevice(parent)
{
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

PlaybackStream::~PlaybackStream() = default;

bool PlaybackStream::rewind(std::shared_ptr<PlaybackFile> file, qint64 frame, const PlayOptions &options,
                            QFuture<CallProfiles::Profile> profile)
{
    PlaybackFile *f = file.get();
    m_bytesPerFrame = qint64(f->channels()) * 2;
    m_chain = std::make_unique<PlaybackChain>(std::move(file), options, std::move(profile));
    if (!m_chain->seek(frame)) {
        m_chain.reset();
        return false;
    }
    m_fileBytesLeft = (f->frames() - qBound<qint64>(0, frame, f->frames())) * m_bytesPerFrame;
    m_tailBytesLeft = qint64(f->sampleRate()) * TailMs / 1000 * m_bytesPerFrame;
    return true;
}

void PlaybackStream::clear()
{
    m_chain.reset();
    m_fileBytesLeft = m_tailBytesLeft = 0;
}

qint64 PlaybackStream::fileFrameAt(qint64 played)
{
    return m_chain ? m_chain->fileFrameAt(played) : 0;
}

qint64 PlaybackStream::bytesAvailable() const
{
    return m_fileBytesLeft + m_tailBytesLeft + QIODevice::bytesAvailable();
}

qint64 PlaybackStream::readData(char *data, qint64 maxlen)
{
    if (!m_chain)
        return 0;
    const qint64 wanted = maxlen / m_bytesPerFrame;
    qint64 done = 0;
    if (m_fileBytesLeft > 0) {
        done = m_chain->read(reinterpret_cast<qint16 *>(data), wanted);
        if (m_chain->finished())
            m_fileBytesLeft = 0; // played out (or the file ended early: a truncated recording)
        else
            m_fileBytesLeft = qMax(m_bytesPerFrame, m_fileBytesLeft - done * m_bytesPerFrame);
    }
    if (done < wanted && m_fileBytesLeft == 0 && m_tailBytesLeft > 0) {
        const qint64 silence = qMin((wanted - done) * m_bytesPerFrame, m_tailBytesLeft);
        memset(data + done * m_bytesPerFrame, 0, size_t(silence));
        m_tailBytesLeft -= silence;
        return done * m_bytesPerFrame + silence;
    }
    return done * m_bytesPerFrame;
}
