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

// The reader's buffers are followed by this many readable bytes, so that its
// searches over short pieces (a tag, a text, a reference name) read whole
// 16-byte blocks instead of walking the last bytes one by one.
constexpr std::size_t kXmlReadPadding = 16;

// The searches below are for [p, end) where kXmlReadPadding bytes after end
// can be read.

// The first byte in [p, end) that `wanted` marks, or nullptr. `wanted` takes
// 16 bytes and answers a mask with a bit for each byte it looks for; bytes at
// or after end do not count.
template <typename Wanted>
inline const char* XmlScanPadded(const char* p, const char* end, Wanted wanted) {
    for (; p < end; p += 16) {
        unsigned mask = wanted(p);
        if (end - p < 16) mask &= (1u << (end - p)) - 1;
        if (mask != 0) return p + __builtin_ctz(mask);
    }
    return nullptr;
}

#ifdef __SSE2__
inline unsigned XmlBytesEqual(__m128i chunk, char c) {
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, _mm_set1_epi8(c))));
}
inline __m128i XmlBlock(const char* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
#endif

// First c, or nullptr.
inline const char* XmlFindBytePadded(const char* p, const char* end, char c) {
#ifdef __SSE2__
    return XmlScanPadded(p, end, [c](const char* at) { return XmlBytesEqual(XmlBlock(at), c); });
#else
    return XmlFindByte(p, end, c);
#endif
}

// First "<", CR or LF, or nullptr.
inline const char* XmlFindAngleOrLineBreakPadded(const char* p, const char* end) {
#ifdef __SSE2__
    return XmlScanPadded(p, end, [](const char* at) {
        const __m128i chunk = XmlBlock(at);
        return XmlBytesEqual(chunk, '<') | XmlBytesEqual(chunk, '\r') | XmlBytesEqual(chunk, '\n');
    });
#else
    for (; p < end; ++p)
        if (*p == '<' || *p == '\r' || *p == '\n') return p;
    return nullptr;
#endif
}

// First byte above 32, or end; sawCr tells whether a CR came before it.
inline const char* XmlSkipBlanksPadded(const char* p, const char* end, bool& sawCr) {
    sawCr = false;
#ifdef __SSE2__
    const __m128i space = _mm_set1_epi8(' ');
    const __m128i cr = _mm_set1_epi8('\r');
    for (; p < end; p += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const unsigned blank =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(chunk, space), chunk)));
        unsigned crs = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, cr)));
        unsigned other = blank ^ 0xFFFFu;
        if (end - p < 16) {
            const unsigned inside = (1u << (end - p)) - 1;
            other &= inside;
            crs &= inside;
            if (other == 0) {
                sawCr = sawCr || crs != 0;
                return end;
            }
        }
        if (other != 0) {
            const unsigned at = static_cast<unsigned>(__builtin_ctz(other));
            sawCr = sawCr || (crs & ((1u << at) - 1)) != 0;
            return p + at;
        }
        sawCr = sawCr || crs != 0;
    }
    return end;
#else
    for (; p < end && static_cast<unsigned char>(*p) <= 32; ++p) sawCr = sawCr || *p == '\r';
    return p;
#endif
}

// First ">", or nullptr; also nullptr when a "<", CR or LF comes before it
// (the tag it would end is one the reader reads otherwise).
inline const char* XmlFindPlainTagEndPadded(const char* p, const char* end) {
#ifdef __SSE2__
    const char* at = XmlScanPadded(p, end, [](const char* block) {
        const __m128i chunk = XmlBlock(block);
        return XmlBytesEqual(chunk, '>') | XmlBytesEqual(chunk, '<') | XmlBytesEqual(chunk, '\r') |
               XmlBytesEqual(chunk, '\n');
    });
    return at != nullptr && *at == '>' ? at : nullptr;
#else
    for (; p < end; ++p) {
        if (*p == '>') return p;
        if (*p == '<' || *p == '\r' || *p == '\n') return nullptr;
    }
    return nullptr;
#endif
}
