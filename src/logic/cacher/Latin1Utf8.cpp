#include "logic/cacher/Latin1Utf8.h"

#include <array>
#include <bit>
#include <cstdint>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define QUARVEL_LATIN1_SSSE3 1
#endif

namespace {

// One character at a time, up to the first one that is neither ASCII nor U+00A0..U+00FF.
Latin1Run convertScalar(const uchar *in, qsizetype size, char *out, Latin1Run run)
{
    while (run.read < size) {
        const uchar lead = in[run.read];
        if (lead < 0x80) {
            out[run.written++] = char(lead);
            ++run.read;
            continue;
        }
        if ((lead != 0xC2 && lead != 0xC3) || run.read + 1 == size)
            break;
        const uchar next = in[run.read + 1];
        if (next < (lead == 0xC2 ? 0xA0 : 0x80) || next > 0xBF)
            break;
        out[run.written++] = char(lead == 0xC3 ? next + 0x40 : next);
        run.read += 2;
    }
    return run;
}

#ifdef QUARVEL_LATIN1_SSSE3

// For every mask of eight bytes, the shuffle that packs the marked ones to the front.
constexpr std::array<std::uint64_t, 256> kPack = [] {
    std::array<std::uint64_t, 256> table {};
    for (unsigned mask = 0; mask < 256; ++mask) {
        std::uint64_t pattern = 0x8080808080808080ull; // zero what is not taken
        int slot = 0;
        for (int i = 0; i < 8; ++i) {
            if (mask & (1u << i)) {
                pattern &= ~(0xFFull << (8 * slot));
                pattern |= std::uint64_t(i) << (8 * slot);
                ++slot;
            }
        }
        table[mask] = pattern;
    }
    return table;
}();
// How many bytes each of those masks keeps (std::popcount would call a library function where
// the processor's own instruction is not assumed).
constexpr std::array<std::uint8_t, 256> kKept = [] {
    std::array<std::uint8_t, 256> table {};
    for (unsigned mask = 0; mask < 256; ++mask)
        table[mask] = std::uint8_t(std::popcount(mask));
    return table;
}();

// A block of sixteen bytes is taken whole when its sequences are all complete and Latin-1: every
// continuation byte follows a lead C2 or C3 and nothing else is above ASCII. A lead in the last
// byte leaves that byte to the next block. The output drops the leads and keeps each following
// byte, raised by 0x40 after C3.
__attribute__((target("ssse3"))) Latin1Run convertSsse3(const uchar *in, qsizetype size, char *out)
{
    Latin1Run run;
    const __m128i c2 = _mm_set1_epi8(char(0xC2));
    const __m128i c3 = _mm_set1_epi8(char(0xC3));
    const __m128i belowC0 = _mm_set1_epi8(char(0xC0));
    const __m128i belowA0 = _mm_set1_epi8(char(0xA0));
    const __m128i raise = _mm_set1_epi8(0x40);
    while (size - run.read >= 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i *>(in + run.read));
        const unsigned high = unsigned(_mm_movemask_epi8(block));
        if (high == 0) {
            _mm_storeu_si128(reinterpret_cast<__m128i *>(out + run.written), block);
            run.read += 16;
            run.written += 16;
            continue;
        }
        const __m128i isC2 = _mm_cmpeq_epi8(block, c2);
        const __m128i isC3 = _mm_cmpeq_epi8(block, c3);
        const unsigned lead = unsigned(_mm_movemask_epi8(_mm_or_si128(isC2, isC3)));
        // Signed comparisons: 0x80..0xBF are the bytes below -64, 0x80..0x9F those below -96.
        const unsigned cont = unsigned(_mm_movemask_epi8(_mm_cmplt_epi8(block, belowC0)));
        const unsigned c1 = unsigned(_mm_movemask_epi8(
            _mm_and_si128(_mm_slli_si128(isC2, 1), _mm_cmplt_epi8(block, belowA0))));
        const bool leadAtEnd = (lead & 0x8000u) != 0;
        const unsigned taken = leadAtEnd ? 0x7FFFu : 0xFFFFu;
        if ((high & taken) != ((lead | cont) & taken) || cont != ((lead << 1) & 0xFFFFu) ||
            (c1 & taken) != 0)
            break;
        const __m128i values = _mm_add_epi8(block, _mm_and_si128(_mm_slli_si128(isC3, 1), raise));
        const unsigned keep = ~lead & taken;
        const unsigned low = keep & 0xFFu;
        const unsigned upper = keep >> 8;
        const __m128i packedLow = _mm_shuffle_epi8(
            values, _mm_loadl_epi64(reinterpret_cast<const __m128i *>(&kPack[low])));
        _mm_storel_epi64(reinterpret_cast<__m128i *>(out + run.written), packedLow);
        run.written += kKept[low];
        const __m128i packedHigh =
            _mm_shuffle_epi8(_mm_srli_si128(values, 8),
                             _mm_loadl_epi64(reinterpret_cast<const __m128i *>(&kPack[upper])));
        _mm_storel_epi64(reinterpret_cast<__m128i *>(out + run.written), packedHigh);
        run.written += kKept[upper];
        run.read += leadAtEnd ? 15 : 16;
    }
    return convertScalar(in, size, out, run);
}

// The same sixty-four bytes at a time where the processor has AVX-512 with byte compression.
// The compressed block goes to a register and is stored whole (the caller's room allows it):
// compressing straight into memory is slow on some processors.
__attribute__((target("avx512f,avx512bw,avx512vbmi2,popcnt"))) Latin1Run
convertAvx512(const uchar *in, qsizetype size, char *out)
{
    Latin1Run run;
    const __m512i c2 = _mm512_set1_epi8(char(0xC2));
    const __m512i c3 = _mm512_set1_epi8(char(0xC3));
    const __m512i belowC0 = _mm512_set1_epi8(char(0xC0));
    const __m512i belowA0 = _mm512_set1_epi8(char(0xA0));
    const __m512i raise = _mm512_set1_epi8(0x40);
    while (size - run.read >= 64) {
        const __m512i block = _mm512_loadu_si512(in + run.read);
        const __mmask64 high = _mm512_movepi8_mask(block);
        if (high == 0) {
            _mm512_storeu_si512(out + run.written, block);
            run.read += 64;
            run.written += 64;
            continue;
        }
        const __mmask64 isC2 = _mm512_cmpeq_epi8_mask(block, c2);
        const __mmask64 isC3 = _mm512_cmpeq_epi8_mask(block, c3);
        const __mmask64 lead = isC2 | isC3;
        // Signed comparisons: 0x80..0xBF are the bytes below -64, 0x80..0x9F those below -96.
        const __mmask64 cont = _mm512_cmplt_epi8_mask(block, belowC0);
        const __mmask64 c1 = (isC2 << 1) & _mm512_cmplt_epi8_mask(block, belowA0);
        const bool leadAtEnd = (lead >> 63) != 0;
        const __mmask64 taken = leadAtEnd ? ~__mmask64(0) >> 1 : ~__mmask64(0);
        if ((high & taken) != ((lead | cont) & taken) || cont != (lead << 1) || (c1 & taken) != 0)
            break;
        const __m512i values = _mm512_mask_add_epi8(block, isC3 << 1, block, raise);
        const __mmask64 keep = ~lead & taken;
        _mm512_storeu_si512(out + run.written, _mm512_maskz_compress_epi8(keep, values));
        run.written += qsizetype(_mm_popcnt_u64(keep));
        run.read += leadAtEnd ? 63 : 64;
    }
    const Latin1Run rest = convertSsse3(in + run.read, size - run.read, out + run.written);
    return {run.read + rest.read, run.written + rest.written};
}
#endif

} // namespace

Latin1Run latin1Utf8ToAnsi(const uchar *in, qsizetype size, char *out)
{
#ifdef QUARVEL_LATIN1_SSSE3
    static const bool avx512 = __builtin_cpu_supports("avx512f") &&
        __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vbmi2") &&
        __builtin_cpu_supports("popcnt");
    static const bool ssse3 = __builtin_cpu_supports("ssse3");
    if (avx512)
        return convertAvx512(in, size, out);
    if (ssse3)
        return convertSsse3(in, size, out);
#endif
    return convertScalar(in, size, out, {});
}
