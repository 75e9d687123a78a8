#include "FakeRecorder.h"

#include <QFile>

using namespace Qt::StringLiterals;

qint16 FakeRecorder::answer(const QString &member, const QString &entry)
{
    log << entry;
    return codes.value(member, 0);
}

void FakeRecorder::setPcmRate(qint16 rate) { log << u"PcmRate="_s + QString::number(rate); }
void FakeRecorder::setRecordOption(qint16 option) { log << u"RecordOption="_s + QString::number(option); }
void FakeRecorder::setRecordFormat(const QString &hex) { recordFormat = hex; log << u"RecordFormat="_s + hex; }

qint16 FakeRecorder::Close()
{
    const qint16 code = answer(u"Close"_s, u"Close"_s);
    if (code == 0) {
        state = 0;
        openedFile.clear();
    }
    return code;
}

void FakeRecorder::Stop()
{
    log << u"Stop"_s;
    if (state >= 2)
        state = 1;
}

qint16 FakeRecorder::OpenRecordFile(const QString &path)
{
    const qint16 code = answer(u"OpenRecordFile"_s, u"OpenRecordFile "_s + path);
    if (code == 0) {
        state = 1;
        // A small file, as a real recording leaves.
        QFile f(path);
        if (f.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            f.write("RIFF");
    }
    return code;
}

qint16 FakeRecorder::OpenInput()
{
    const qint16 code = answer(u"OpenInput"_s, u"OpenInput"_s);
    if (code == 0)
        state = 1;
    return code;
}

void FakeRecorder::setPaused(bool p)
{
    paused = p;
    log << (p ? u"Paused=true"_s : u"Paused=false"_s);
}

void FakeRecorder::GetLevels(float &a, qint16 &, float &b, qint16 &)
{
    a = levelsA.isEmpty() ? levelA : levelsA.dequeue();
    b = levelB;
}

qint16 FakeRecorder::Record()
{
    const qint16 code = answer(u"Record"_s, u"Record"_s);
    if (code == 0)
        state = 2;
    return code;
}

BufferJudge::Verdict FakeRecorder::feed(float a, qint64 frames)
{
    levelA = a;
    if (!judge || state < 1)
        return BufferJudge::Carry;
    return judge->judge({a, levelB, frames, 8000, {}}).verdict;
}

qint16 FakeRecorder::ShowMixer(qint16 show) { return answer(u"ShowMixer"_s, u"ShowMixer "_s + QString::number(show)); }

qint16 FakeRecorder::Open(const QString &path)
{
    const qint16 code = answer(u"Open"_s, u"Open "_s + path);
    if (code == 0) {
        openedFile = path;
        state = stateAfterOpen;
    }
    return code;
}

qint16 FakeRecorder::Play() { return answer(u"Play"_s, u"Play"_s); }

void FakeRecorder::setPosition(double seconds)
{
    position = seconds;
    log << u"Position="_s + QString::number(seconds);
}

void FakeRecorder::setOpenMode(qint16 mode) { log << u"OpenMode="_s + QString::number(mode); }
void FakeRecorder::setFileType(qint16 type) { fileType = type; log << u"FileType="_s + QString::number(type); }
void FakeRecorder::setPlayOptions(const PlayOptions &o)
{
    log << u"PlayOptions=%1,%2,%3"_s.arg(o.speed).arg(int(o.skipSilence)).arg(int(o.levelCalls));
}
