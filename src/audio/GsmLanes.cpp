#include "audio/GsmLanes.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int Lanes = GsmLanes::Count;

inline int sat(int x)
{
    return std::clamp(x, -32768, 32767);
}

// a * b in Q15, rounded; -1 * -1 gives the largest word, as the standard says.
inline int mulr(int a, int b)
{
    return std::min((a * b + 16384) >> 15, 32767);
}

// Log area ratios to reflection coefficients.
int toReflection(int lar)
{
    const int m = lar == -32768 ? 32767 : std::abs(lar);
    const int r = m < 11059 ? m << 1 : m < 20070 ? m + 11059 : sat((m >> 2) + 26112);
    return lar < 0 ? -r : r;
}

// Bits as WAV packs them: least significant first, the second frame straight after the first.
struct Bits
{
    const unsigned char *at;
    unsigned acc = 0;
    int held = 0;
    int take(int width)
    {
        while (held < width) {
            acc |= unsigned(*at++) << held;
            held += 8;
        }
        const int v = int(acc & ((1u << width) - 1));
        acc >>= width;
        held -= width;
        return v;
    }
};

// The lattice synthesis filter and the de-emphasis over one frame of every lane. Each step
// is one line over all lanes, which the compiler turns into vector instructions.
[[gnu::target_clones("avx2", "default")]] void
synthesise(const qint32 (*residual)[Lanes], const qint32 (*coefficients)[8][Lanes], qint32 (*v)[Lanes],
           qint32 *deemphasis, qint16 (*out)[Lanes])
{
    for (int k = 0; k < 160; ++k) {
        const qint32(*rrp)[Lanes] = coefficients[k < 13 ? 0 : k < 27 ? 1 : k < 40 ? 2 : 3];
        qint32 sri[Lanes];
        for (int l = 0; l < Lanes; ++l)
            sri[l] = residual[k][l];
        for (int i = 7; i >= 0; --i) {
            for (int l = 0; l < Lanes; ++l)
                sri[l] = sat(sri[l] - mulr(rrp[i][l], v[i][l]));
            if (i < 7)
                for (int l = 0; l < Lanes; ++l)
                    v[i + 1][l] = sat(v[i][l] + mulr(rrp[i][l], sri[l]));
        }
        for (int l = 0; l < Lanes; ++l) {
            v[0][l] = sri[l];
            deemphasis[l] = sat(sri[l] + ((deemphasis[l] * 28180 + 16384) >> 15));
            out[k][l] = qint16(sat(deemphasis[l] * 2) & ~7);
        }
    }
}

} // namespace

GsmLanes::GsmLanes() = default;

// Unpacks one frame of a lane and decodes what needs no other lane: the excitation, the
// long-term synthesis and the four sets of filter coefficients.
void GsmLanes::frame(int lane, const unsigned char *block, int half)
{
    static constexpr int LarBits[8] = {6, 6, 5, 5, 4, 4, 3, 3};
    static constexpr int TwiceB[8] = {0, 0, 4096, -5120, 188, -3584, -682, -2288};
    static constexpr int Mic[8] = {-32, -32, -16, -16, -8, -8, -4, -4};
    static constexpr int InvA[8] = {13107, 13107, 13107, 13107, 19223, 17476, 31454, 29708};
    static constexpr int Qlb[4] = {3277, 11469, 21299, 32767};
    static constexpr int Fac[8] = {18431, 20479, 22527, 24575, 26623, 28671, 30719, 32767};

    Lane &s = lanes[lane];
    if (!block) {
        for (int k = 0; k < 160; ++k)
            residual[k][lane] = 0;
        for (auto &set : coefficients)
            for (auto &c : set)
                c[lane] = 0;
        return;
    }
    Bits bits{block + (half ? 32 : 0)};
    if (half)
        bits.take(4);

    std::memcpy(s.lar[0], s.lar[1], sizeof s.lar[0]);
    for (int i = 0; i < 8; ++i) {
        const int c = sat((sat(bits.take(LarBits[i]) + Mic[i]) << 10) - TwiceB[i]);
        const int r = mulr(InvA[i], c);
        s.lar[1][i] = qint16(sat(r + r));
    }
    for (int i = 0; i < 8; ++i) {
        const int was = s.lar[0][i], now = s.lar[1][i];
        const int sets[4] = {sat(sat((was >> 2) + (now >> 2)) + (was >> 1)), sat((was >> 1) + (now >> 1)),
                             sat(sat((was >> 2) + (now >> 2)) + (now >> 1)), now};
        for (int n = 0; n < 4; ++n)
            coefficients[n][i][lane] = toReflection(sets[n]);
    }

    qint16 *drp = s.history + 120;
    for (int sub = 0; sub < 4; ++sub) {
        const int nc = bits.take(7), bc = bits.take(2), mc = bits.take(2), xmaxc = bits.take(6);
        int exp = xmaxc > 15 ? (xmaxc >> 3) - 1 : 0;
        int mant = xmaxc - (exp << 3);
        if (mant == 0) {
            exp = -4;
            mant = 7;
        } else {
            for (; mant <= 7; --exp)
                mant = mant << 1 | 1;
            mant -= 8;
        }
        const int shift = 6 - exp, round = shift >= 1 ? 1 << (shift - 1) : 0;
        int erp[40]{};
        for (int i = 0; i < 13; ++i) {
            const int x = ((bits.take(3) << 1) - 7) << 12;
            erp[mc + 3 * i] = sat(mulr(Fac[mant], x) + round) >> shift;
        }
        if (nc >= 40 && nc <= 120)
            s.lag = qint16(nc);
        const int brp = Qlb[bc];
        for (int k = 0; k < 40; ++k) {
            drp[k] = qint16(sat(erp[k] + mulr(brp, drp[k - s.lag])));
            residual[sub * 40 + k][lane] = drp[k];
        }
        std::memmove(s.history, s.history + 40, 120 * sizeof(qint16));
    }
}

void GsmLanes::decode(const unsigned char *const *blocks, Block *out)
{
    alignas(64) qint16 samples[160][Count];
    for (int half = 0; half < 2; ++half) {
        for (int l = 0; l < Count; ++l)
            frame(l, blocks[l], half);
        synthesise(residual, coefficients, v, deemphasis, samples);
        for (int l = 0; l < Count; ++l)
            for (int k = 0; k < 160; ++k)
                out[l][size_t(half * 160 + k)] = samples[k][l];
    }
}
