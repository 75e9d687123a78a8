#pragma once

#include <QtGlobal>

#include <functional>
#include <utility>

// Voice detection as the capture thread sees it: every buffer captured while a judge is
// installed is shown to it, with its levels and length, and the judge says whether a call
// starts or ends in that buffer, and at which of its frames. The recorder acts on the
// verdict at that same frame, so a call's file begins and ends at the same sample however
// the audio was cut into buffers and however busy the rest of the program is.
class BufferJudge
{
public:
    enum Verdict { Carry, StartCall, EndCall };

    struct Heard
    {
        float levelA, levelB; // peak and RMS of the buffer, dBFS
        qint64 frames;
        int sampleRate;
        // The first and last frame whose peak is above this level (dBFS); when the samples
        // are not at hand, the whole buffer is taken as loud.
        std::function<std::pair<qint64, qint64>(float)> loudFrames;
    };

    struct Ruling
    {
        Verdict verdict = Carry;
        qint64 at = 0; // the frame of this buffer the call's file begins with, or ends before
    };

    virtual ~BufferJudge() = default;
    // From the capture thread.
    virtual Ruling judge(const Heard &heard) = 0;
    // Whether someone watches the levels live: the buffers must then come often. Otherwise
    // listening may take them seldom, which costs less; the verdicts are the same.
    virtual bool levelsWatched() const { return false; }
};
