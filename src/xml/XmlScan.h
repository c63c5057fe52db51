// Byte searches of the reader, inlined: the distances are short (the ">" of a
// tag, the next "&" of a text), so the call into the library search costs
// more than the search. Internal to the XML component.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

// First c in [p, end), or nullptr.
inline const char* XmlFindByte(const char* p, const char* end, char c) {
#ifdef __SSE2__
    const __m128i wanted = _mm_set1_epi8(c);
    while (end - p >= 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, wanted)));
        if (mask != 0) return p + __builtin_ctz(mask);
        p += 16;
    }
#endif
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    // Eight to fifteen bytes left (a name, the tail of a text): one word. The
    // lowest flagged byte is exact; flags above a match may be false.
    if (end - p >= 8) {
        uint64_t word;
        std::memcpy(&word, p, 8);
        word ^= 0x0101010101010101ull * static_cast<unsigned char>(c);
        const uint64_t zero = (word - 0x0101010101010101ull) & ~word & 0x8080808080808080ull;
        if (zero != 0) return p + __builtin_ctzll(zero) / 8;
        p += 8;
    }
#endif
    for (; p < end; ++p)
        if (*p == c) return p;
    return nullptr;
}

// First byte in [p, end) that is no space (32), or end.
inline const char* XmlSkipSpaces(const char* p, const char* end) {
#ifdef __SSE2__
    const __m128i space = _mm_set1_epi8(' ');
    while (end - p >= 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, space))) ^ 0xFFFFu;
        if (mask != 0) return p + __builtin_ctz(mask);
        p += 16;
    }
#endif
    while (p < end && *p == ' ') ++p;
    return p;
}
