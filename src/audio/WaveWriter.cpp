#include "audio/WaveWriter.h"

#include "audio/ExclusiveFile.h"
#include "audio/GsmWaveWriter.h"
#include "audio/PcmWaveWriter.h"
#include "base/RecorderCodes.h"

#include <QFile>

WaveWriter::WaveWriter(std::unique_ptr<ExclusiveFile> file, const WaveFormat &format)
    : m_file(std::move(file)), m_format(format)
{
}

WaveWriter::~WaveWriter() = default;

QString WaveWriter::path() const
{
    return m_file->path();
}

std::unique_ptr<WaveWriter> WaveWriter::create(const QString &path, const WaveFormat &format,
                                               qint16 &code)
{
    auto file = ExclusiveFile::create(path);
    if (!file) {
        code = RecorderCode::CantOpenFile;
        return nullptr;
    }
    std::unique_ptr<WaveWriter> writer;
    if (format.isGsm())
        writer = GsmWaveWriter::open(std::move(file), format, code);
    else
        writer = PcmWaveWriter::open(std::move(file), format, code);
    if (!writer) {
        // The file is ours alone (created just now), so nothing of anyone's is lost.
        QFile::remove(path);
        return nullptr;
    }
    code = RecorderCode::Ok;
    return writer;
}
