#include "audio/RecordWriter.h"

#include "audio/WaveWriter.h"
#include "base/RecorderCodes.h"

#include <QAudioFormat>

#include <system_error>
#include <utility>

namespace {

qint64 wavFrameLimit(const WaveFormat &format)
{
    // The data chunk's size is a 32-bit count; keep clear of it with room for the header.
    const qint64 maxData = qint64(0xFFFFFFFFu) - 4096;
    return maxData / format.blockAlign() * format.framesPerBlock();
}

} // namespace

RecordWriter::RecordWriter(std::unique_ptr<WaveWriter> writer, qint64 frameLimit)
    : m_writer(std::move(writer)),
      m_sampleRate(m_writer->format().sampleRate()),
      m_bytesPerFrame(m_writer->format().captureFormat().bytesPerFrame()),
      m_frameLimit(frameLimit > 0 ? frameLimit : wavFrameLimit(m_writer->format()))
{
}

RecordWriter::~RecordWriter()
{
    finish();
}

qint16 RecordWriter::start()
{
    std::lock_guard lock(m_mutex);
    if (m_thread.joinable() || m_finished)
        return RecorderCode::Ok;
    try {
        m_thread = std::thread([this] { run(); });
    } catch (const std::system_error &) {
        return RecorderCode::NoResources;
    }
    return RecorderCode::Ok;
}

void RecordWriter::push(const char *data, qint64 bytes)
{
    if (m_failure.load() != 0 || bytes <= 0)
        return;
    {
        std::lock_guard lock(m_mutex);
        if (m_stopping)
            return;
        if (m_queuedBytes + bytes > MaxQueuedBytes) {
            fail(RecorderCode::NoResources);
            return;
        }
        m_queue.emplace_back(data, qsizetype(bytes));
        m_queuedBytes += bytes;
    }
    m_wake.notify_one();
}

void RecordWriter::fail(qint16 code)
{
    qint16 none = 0;
    m_failure.compare_exchange_strong(none, code);
}

void RecordWriter::writeChunk(const QByteArray &chunk)
{
    if (m_failure.load() != 0)
        return;
    qint64 frames = chunk.size() / m_bytesPerFrame;
    const qint64 room = m_frameLimit - m_frames.load();
    const bool limitReached = frames >= room;
    if (limitReached)
        frames = room;
    if (frames > 0) {
        const bool written = m_writer->write(chunk.constData(), frames);
        m_frames.store(m_writer->framesWritten());
        if (!written) {
            fail(RecorderCode::CantWrite);
            return;
        }
    }
    if (limitReached)
        fail(RecorderCode::TimeLimit);
}

void RecordWriter::writeChunks(const std::deque<QByteArray> &chunks)
{
    QByteArray batch; // the first chunk is shared, not copied
    for (const QByteArray &chunk : chunks) {
        if (!batch.isEmpty() && batch.size() + chunk.size() > BatchBytes) {
            writeChunk(batch);
            batch.clear();
        }
        batch += chunk;
    }
    if (!batch.isEmpty())
        writeChunk(batch);
}

void RecordWriter::run()
{
    using Clock = std::chrono::steady_clock;
    auto lastHeader = Clock::now();
    bool dirty = false;
    std::unique_lock lock(m_mutex);
    for (;;) {
        if (m_queue.empty() && !m_stopping) {
            if (dirty)
                m_wake.wait_until(lock, lastHeader + HeaderInterval);
            else
                m_wake.wait(lock);
        }
        std::deque<QByteArray> chunks;
        chunks.swap(m_queue);
        m_queuedBytes = 0;
        const bool stopping = m_stopping;
        lock.unlock();

        writeChunks(chunks);
        dirty = dirty || !chunks.empty();
        if (dirty && !stopping && Clock::now() - lastHeader >= HeaderInterval
            && m_failure.load() == 0) {
            if (!m_writer->updateHeader())
                fail(RecorderCode::CantWrite);
            lastHeader = Clock::now();
            dirty = false;
        }

        lock.lock();
        if (stopping && m_queue.empty())
            return;
    }
}

qint16 RecordWriter::finish()
{
    {
        std::lock_guard lock(m_mutex);
        if (m_finished)
            return m_result;
        m_stopping = true;
    }
    m_wake.notify_one();
    if (m_thread.joinable())
        m_thread.join();
    writeChunks(std::exchange(m_queue, {})); // left when the thread never ran

    if (!m_writer->finish())
        fail(RecorderCode::CantWrite);
    m_frames.store(m_writer->framesWritten());
    std::lock_guard lock(m_mutex);
    m_finished = true;
    m_result = m_failure.load();
    return m_result;
}
