#pragma once
// The first place of either of two bytes in a text, for the readers' hot
// loops: sixteen bytes at a time where the machine compares them at once,
// else eight at a time in a word, then byte by byte. Lines and fields are
// short, so this beats a library call per search.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The position of the first byte equal to A or B in text from position from
// on, or npos when there is none. Pass the same byte twice to look for one.
template <char A, char B> size_t FindEitherByte(std::string_view text, size_t from) {
    const char* data = text.data();
    const size_t n = text.size();
    size_t i = from;
#if defined(__SSE2__)
    const __m128i a = _mm_set1_epi8(A);
    const __m128i b = _mm_set1_epi8(B);
    for (; i + 16 <= n; i += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
        const __m128i equal = A == B ? _mm_cmpeq_epi8(block, a)
                                     : _mm_or_si128(_mm_cmpeq_epi8(block, a), _mm_cmpeq_epi8(block, b));
        const int hit = _mm_movemask_epi8(equal);
        if (hit != 0) {
            return i + static_cast<size_t>(std::countr_zero(static_cast<unsigned>(hit)));
        }
    }
#endif
    if constexpr (std::endian::native == std::endian::little) {
        // A byte equal to A or B sets the high bit of its place in hit; a
        // place above a true hit may be set too, so the lowest set bit is
        // the first match.
        constexpr uint64_t Ones = 0x0101010101010101u;
        constexpr uint64_t High = Ones * 0x80;
        for (; i + 8 <= n; i += 8) {
            uint64_t w = 0;
            std::memcpy(&w, data + i, 8);
            const uint64_t wa = w ^ (Ones * static_cast<unsigned char>(A));
            const uint64_t wb = w ^ (Ones * static_cast<unsigned char>(B));
            const uint64_t hit = (((wa - Ones) & ~wa) | ((wb - Ones) & ~wb)) & High;
            if (hit) {
                return i + static_cast<size_t>(std::countr_zero(hit) / 8);
            }
        }
    }
    for (; i < n; ++i) {
        if (data[i] == A || data[i] == B) {
            return i;
        }
    }
    return std::string_view::npos;
}
