#pragma once

#include <QtGlobal>

#include <array>

// GSM 6.10 as WAV files hold it (65-byte blocks of two frames, 320 samples), decoded with
// the standard's fixed-point arithmetic, sample for sample what libgsm gives, for many
// stretches of a file at once. The synthesis filter is a chain of dependent steps per
// sample; running the stretches side by side lets the vector unit take them together, so
// an hour's call is decoded several times faster than one frame after another.
class GsmLanes
{
public:
    static constexpr int Count = 16; // stretches decoded together
    static constexpr int BlockBytes = 65, BlockFrames = 320;
    using Block = std::array<qint16, BlockFrames>;

    GsmLanes();
    // Decodes the next block of each of the Count stretches into `out[Count]`; a stretch
    // without one (null) is fed silence.
    void decode(const unsigned char *const *blocks, Block *out);

private:
    struct Lane
    {
        qint16 history[160]{}; // the reconstructed residual: 120 samples back, then this subframe
        qint16 lag = 40;
        qint16 lar[2][8]{};    // log area ratios of the previous and this frame
    };
    void frame(int lane, const unsigned char *block, int half);

    Lane lanes[Count];
    alignas(64) qint32 residual[160][Count]; // this frame's residual, sample-major
    alignas(64) qint32 coefficients[4][8][Count];
    alignas(64) qint32 v[8][Count]{};
    alignas(64) qint32 deemphasis[Count]{};
};
