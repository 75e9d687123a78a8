#pragma once

#include <QtGlobal>

// Voice detection as the capture thread sees it: every buffer captured while a judge is
// installed is shown to it, with its levels and length, and the judge says whether a call
// starts or ends at that buffer. The recorder acts on the verdict at that same buffer, so a
// call's file begins and ends at the same sample however busy the rest of the program is.
class BufferJudge
{
public:
    enum Verdict { Carry, StartCall, EndCall };

    virtual ~BufferJudge() = default;
    // From the capture thread: level A (peak) and B (RMS) of this buffer in dBFS.
    virtual Verdict judge(float levelA, float levelB, qint64 frames, int sampleRate) = 0;
};
