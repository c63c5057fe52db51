#include "xml/XmlParser.h"

#include "xml/XmlReaderTuning.h"
#include "xml/XmlScan.h"
#include "xml/XmlStorage.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <deque>
#include <memory>
#include <string_view>
#include <typeinfo>
#include <unordered_map>

namespace {

thread_local XmlClosingTagSearch gSearch = XmlClosingTagSearch::Automatic;

}  // namespace

void XmlSetClosingTagSearch(XmlClosingTagSearch search) { gSearch = search; }

bool XmlOnePassAllowed() { return gSearch == XmlClosingTagSearch::Automatic; }

std::size_t XmlPlainSearchAllowance(std::size_t size) {
    if (gSearch == XmlClosingTagSearch::IndexOnly) return 0;
    // A backup file needs less than half a unit per byte, but is mostly read
    // in one pass before; one unit per byte, and a floor for small texts,
    // leave the rest of the writer's shapes on the plain search.
    return size + 65536;
}

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

// A piece [begin, end) of the reader's buffer. The reader never copies the rest
// of the text: every step narrows such a piece.
struct Piece {
    const char* begin;
    const char* end;
    size_t size() const { return static_cast<size_t>(end - begin); }
    bool empty() const { return begin == end; }
};

Piece Trimmed(Piece p) {
    bool lineBreak = false;
    p.begin = XmlSkipBlanksPadded(p.begin, p.end, lineBreak);
    while (p.end > p.begin && IsBlank(p.end[-1])) --p.end;
    return p;
}

// Every piece lies in a buffer of the reader, which has kXmlReadPadding
// bytes after it.
const char* Find(Piece p, char c) { return XmlFindBytePadded(p.begin, p.end, c); }

// First CR or LF in [p, end), or nullptr.
inline const char* FindLineBreak(const char* p, const char* end) {
#ifdef __SSE2__
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    while (end - p >= 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const unsigned mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(chunk, cr), _mm_cmpeq_epi8(chunk, lf))));
        if (mask != 0) return p + __builtin_ctz(mask);
        p += 16;
    }
#endif
    for (; p < end; ++p)
        if (*p == '\r' || *p == '\n') return p;
    return nullptr;
}

// The first and the last sizeof(Word) of n bytes, which may overlap, read
// before either is written.
template <typename Word>
inline void MoveTwoWords(char* to, const char* from, size_t n) {
    Word head, tail;
    std::memcpy(&head, from, sizeof head);
    std::memcpy(&tail, from + n - sizeof tail, sizeof tail);
    std::memcpy(to, &head, sizeof head);
    std::memcpy(to + n - sizeof tail, &tail, sizeof tail);
}

// memmove for the joining of lines, where `to` never lies after `from` and the
// pieces are short (one line): a forward copy in 16-byte steps is safe then,
// and cheaper than the call.
inline void MoveDown(char* to, const char* from, size_t n) {
#ifdef __SSE2__
    if (n >= 16) {
        const __m128i tail = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + n - 16));
        for (size_t i = 0; i + 16 <= n; i += 16)
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i),
                             _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + n - 16), tail);
        return;
    }
#endif
    // Shorter lines (most end tags) in two overlapping words, both read before
    // either is written.
    if (n >= 8) return MoveTwoWords<uint64_t>(to, from, n);
    if (n >= 4) return MoveTwoWords<uint32_t>(to, from, n);
    for (size_t i = 0; i < n; ++i) to[i] = from[i];
}

// A to Z to a to z, every other byte as it is.
constexpr std::array<char, 256> MakeLowerTable() {
    std::array<char, 256> map{};
    for (int c = 0; c < 256; ++c) map[static_cast<size_t>(c)] = static_cast<char>((c >= 'A' && c <= 'Z') ? c + 32 : c);
    return map;
}
constexpr std::array<char, 256> kLower = MakeLowerTable();
inline char AsciiLower(char c) { return kLower[static_cast<unsigned char>(c)]; }

// The same bytes; names are short, and the library call costs more than
// comparing them.
inline bool SameBytes(const char* a, const char* b, size_t n) {
    size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        uint64_t x, y;
        std::memcpy(&x, a + i, 8);
        std::memcpy(&y, b + i, 8);
        if (x != y) return false;
    }
    for (; i < n; ++i)
        if (a[i] != b[i]) return false;
    return true;
}

bool StartsWithName(const char* at, const char* end, Piece name) {
    if (static_cast<size_t>(end - at) < name.size()) return false;
    // Names are mostly spelled alike at both ends.
    if (SameBytes(at, name.begin, name.size())) return true;
    for (size_t i = 0; i < name.size(); ++i) {
        if (AsciiLower(at[i]) != AsciiLower(name.begin[i])) return false;
    }
    return true;
}

// Every "<" in the reader's buffer, found once: its position and, for the
// closing-tag search, the two bytes after it folded to lower case and the two
// bytes after a "</" folded likewise (0 where there is none). The searches of
// nested elements walk the same stretches again and again; walking these small
// lists stays in the cache, where reading the text itself at every "<" does
// not. Two bytes rather than one keep names that share their first letter
// ("list" around many "launcher...") from sending the search into the text.
// Positions are held as offsets into the text, 32 bits wide wherever the text
// allows, which halves the largest list.
template <typename OffsetType>
class AngleIndex {
public:
    using Offset = OffsetType;

    AngleIndex(const char* data, size_t size) : base_(data) {
        // Counted first, so that the lists are filled without a capacity check
        // per "<".
        size_t count = 0;
        ForEachAngle(data, size, [&count](size_t) { ++count; });
        positions_.resize(count);
        opens_.resize(count);
        closes_.resize(count);
        size_t k = 0;
        ForEachAngle(data, size, [&](size_t at) {
            positions_[k] = static_cast<Offset>(at);
            opens_[k] = Pair(data, size, at + 1);
            closes_[k] = at + 1 < size && data[at + 1] == '/' ? Pair(data, size, at + 2) : 0;
            ++k;
        });
    }

    // Index of the first "<" at or after `at`; `hint` is a position known to lie
    // at or before the answer (reading moves forward through the buffer).
    size_t FirstAtOrAfter(const char* atPosition, size_t hint) const {
        const Offset at = static_cast<Offset>(atPosition - base_);
        const size_t size = positions_.size();
        size_t k = std::min(hint, size);
        if (k > 0 && positions_[k - 1] >= at) k = 0;  // not a valid hint
        if (k == size || positions_[k] >= at) return k;
        // Galloping from the hint: the answer is mostly near it.
        size_t step = 1;
        while (k + step < size && positions_[k + step] < at) {
            k += step;
            step *= 2;
        }
        const size_t last = std::min(k + step, size);
        return static_cast<size_t>(std::lower_bound(positions_.begin() + static_cast<std::ptrdiff_t>(k + 1),
                                                    positions_.begin() + static_cast<std::ptrdiff_t>(last), at) -
                                   positions_.begin());
    }
    size_t size() const { return positions_.size(); }
    const char* operator[](size_t k) const { return base_ + positions_[k]; }

    // The key NextCandidate looks for: the name's first two bytes folded, and
    // the mask of the bytes that count (a one-byte name has only the first).
    static uint16_t KeyOf(Piece name, uint16_t& mask) {
        const uint16_t first = static_cast<unsigned char>(AsciiLower(name.begin[0]));
        if (name.size() < 2) {
            mask = 0x00FF;
            return first;
        }
        mask = 0xFFFF;
        return static_cast<uint16_t>(first | static_cast<unsigned char>(AsciiLower(name.begin[1])) << 8);
    }

    // The first index in [from, to) whose two bytes after "<" or after "</",
    // masked, are `key`, or `to`. Every "<" that starts the name or "/" and the
    // name is among the candidates; a few others may be.
    size_t NextCandidate(size_t from, size_t to, uint16_t key, uint16_t mask) const {
        size_t k = from;
#ifdef __SSE2__
        const __m128i wanted = _mm_set1_epi16(static_cast<short>(key));
        const __m128i masks = _mm_set1_epi16(static_cast<short>(mask));
        for (; k + 8 <= to; k += 8) {
            const __m128i o =
                _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(opens_.data() + k)), masks);
            const __m128i c =
                _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(closes_.data() + k)), masks);
            const unsigned bits = static_cast<unsigned>(
                _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi16(o, wanted), _mm_cmpeq_epi16(c, wanted))));
            if (bits != 0) return k + static_cast<unsigned>(__builtin_ctz(bits)) / 2;
        }
#endif
        for (; k < to; ++k)
            if ((opens_[k] & mask) == key || (closes_[k] & mask) == key) return k;
        return to;
    }

private:
    // Calls visit(offset) for every "<" in [data, data + size), in order.
    template <typename Visit>
    static void ForEachAngle(const char* data, size_t size, Visit visit) {
        size_t i = 0;
#ifdef __SSE2__
        const __m128i angle = _mm_set1_epi8('<');
        for (; i + 16 <= size; i += 16) {
            const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
            unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, angle)));
            while (mask != 0) {
                visit(i + static_cast<unsigned>(__builtin_ctz(mask)));
                mask &= mask - 1;
            }
        }
#endif
        for (; i < size; ++i)
            if (data[i] == '<') visit(i);
    }
    static uint16_t Pair(const char* data, size_t size, size_t at) {
        const uint16_t a = at < size ? static_cast<unsigned char>(AsciiLower(data[at])) : 0;
        const uint16_t b = at + 1 < size ? static_cast<unsigned char>(AsciiLower(data[at + 1])) : 0;
        return static_cast<uint16_t>(a | b << 8);
    }

    const char* base_;
    std::vector<Offset> positions_;
    std::vector<uint16_t> opens_;
    std::vector<uint16_t> closes_;
};

// Answer of ClosingTag when its work allowance ran out before the search ended.
constexpr size_t kGaveUp = SIZE_MAX;

// The closing-tag search: the index of the "<" at which the depth, starting at
// 1, reaches 0, counting "<"+name up and "</"+name down as prefixes of the raw
// text (so "<name2>" counts as well), among the "<" with indices [from, to),
// which are those inside rest. `to` when it never reaches 0. Each "<" it passes
// and each byte it compares are taken from `allowance`; kGaveUp when that is
// used up first.
template <typename Index>
size_t ClosingTag(const Index& angles, size_t from, size_t to, Piece rest, Piece name, size_t& allowance) {
    // With an empty name every "<" opens and every "</" also closes at the same
    // place, so the depth never falls.
    if (name.empty()) return to;
    const unsigned char first = static_cast<unsigned char>(AsciiLower(*name.begin));
    uint16_t mask = 0;
    const uint16_t key = Index::KeyOf(name, mask);
    const size_t perCandidate = name.size() + 8;
    size_t passed = from;  // "<"s already paid for
    int64_t depth = 1;
    for (size_t k = from; k < to; ++k) {
        // Only a "<" followed by the name's first bytes, directly or after a
        // "/", can change the depth; the lists say where those are. A name that
        // begins with a byte 0 is looked for everywhere.
        if (first != 0) {
            k = angles.NextCandidate(k, to, key, mask);
            if (k == to) break;
        }
        // The lists are walked eight entries at a step.
        const size_t cost = (k - passed) / 8 + perCandidate;
        if (cost > allowance) return kGaveUp;
        allowance -= cost;
        passed = k;
        const char* p = angles[k];
        const size_t left = static_cast<size_t>(rest.end - p);
        if (left < 2) continue;
        const char next = p[1];
        const bool opens = AsciiLower(next) == static_cast<char>(first) && StartsWithName(p + 1, rest.end, name);
        const bool closes = next == '/' && left > 2 && AsciiLower(p[2]) == static_cast<char>(first) &&
                            StartsWithName(p + 2, rest.end, name);
        depth += static_cast<int>(opens) - static_cast<int>(closes);
        if (depth == 0) return k;
    }
    const size_t cost = (to - passed) / 8;
    if (cost > allowance) return kGaveUp;
    allowance -= cost;
    return to;
}

// Texts to ids 0, 1, 2, ... in the order they are first met: open addressing
// on a table at least twice the number of texts. The texts are not copied and
// must outlive it.
class Interner {
public:
    static constexpr uint32_t kNone = UINT32_MAX;

    uint32_t Find(std::string_view text) const { return Id(slots_[Slot(text, HashOf(text))]); }
    // The id of the text, a new one when it is new.
    uint32_t Add(std::string_view text) {
        const uint64_t hash = HashOf(text);
        const size_t slot = Slot(text, hash);
        if (slots_[slot] != kFree) return Id(slots_[slot]);
        const uint32_t id = static_cast<uint32_t>(texts_.size());
        slots_[slot] = Entry(hash, id);
        texts_.push_back(text);
        if (2 * texts_.size() > slots_.size()) {
            std::vector<uint64_t> old(2 * slots_.size(), kFree);
            old.swap(slots_);
            const size_t mask = slots_.size() - 1;
            for (uint64_t entry : old) {
                if (entry == kFree) continue;
                size_t i = (entry >> 32) & mask;
                while (slots_[i] != kFree) i = (i + 1) & mask;
                slots_[i] = entry;
            }
        }
        return id;
    }
    const std::vector<std::string_view>& Texts() const { return texts_; }

private:
    // A slot holds the upper half of the text's hash and its id; comparing
    // the halves first spares reading most texts that differ.
    static constexpr uint64_t kFree = UINT64_MAX;
    static uint64_t Entry(uint64_t hash, uint32_t id) { return (hash & 0xFFFFFFFF00000000ull) | id; }
    static uint32_t Id(uint64_t entry) { return entry == kFree ? kNone : static_cast<uint32_t>(entry); }

    static uint64_t HashOf(std::string_view text) {
        uint64_t h = 0x9E3779B97F4A7C15ull ^ text.size();
        for (const char c : text) h = (h ^ static_cast<unsigned char>(c)) * 0x100000001B3ull;
        h = (h ^ (h >> 33)) * 0xFF51AFD7ED558CCDull;
        h = (h ^ (h >> 33)) * 0xC4CEB9FE1A85EC53ull;
        return h ^ (h >> 33);
    }
    // The slot holding the text, or the free one where it would go. The
    // table is indexed by the upper half of the hash, as kept in the slots.
    size_t Slot(std::string_view text, uint64_t hash) const {
        const size_t mask = slots_.size() - 1;
        size_t i = (hash >> 32) & mask;
        while (slots_[i] != kFree &&
               ((slots_[i] ^ hash) >> 32 != 0 || texts_[static_cast<uint32_t>(slots_[i])] != text))
            i = (i + 1) & mask;
        return i;
    }

    std::vector<uint64_t> slots_ = std::vector<uint64_t>(1024, kFree);
    std::vector<std::string_view> texts_;
};

// The closing-tag search by name, for texts where the plain search would walk
// the same stretches again and again: an element that is never closed makes its
// search run to the end of its parent's content, and the elements inside it
// run there again, so a file of repeated "<a>" costs the square of its length;
// so do deep nesting and end tags that match nothing.
//
// Every "<" gets its token: the bytes after it, folded, up to the first space,
// ">" or "<". A name holds no space and no ">", so "<" + name matches exactly
// where the token begins with the name (a name without "<"), or where the
// tokens of consecutive "<" spell the name's pieces between its "<"s. For each
// name searched, the matches of "<name" and "</name" become one list of depth
// steps with its running depth, and for every entry the first later entry
// where the depth falls below it. A search is then a lookup, and the whole
// reading stays linear in the text plus the matches of the names it meets.
template <typename Index>
class NameIndex {
    // "<" indices; 32 bits wherever the text allows.
    using Pos = typename Index::Offset;

public:
    NameIndex(const Index& angles, const char* text, size_t size) : angles_(angles), folded_(size, '\0') {
        for (size_t i = 0; i < size; ++i) folded_[i] = AsciiLower(text[i]);
        const size_t count = angles.size();
        tokenId_.resize(count);
        chained_.resize(count);
        Interner& ids = tokens_;
        for (size_t k = 0; k < count; ++k) {
            const size_t begin = static_cast<size_t>(angles[k] - text) + 1;
            size_t end = begin;
            while (end < size && folded_[end] != ' ' && folded_[end] != '>' && folded_[end] != '<') ++end;
            chained_[k] = end < size && folded_[end] == '<';
            tokenId_[k] = ids.Add(std::string_view(folded_.data() + begin, end - begin));
        }
        const std::vector<std::string_view>& tokens = ids.Texts();
        // Ids in the order of the tokens, so that the tokens beginning with a
        // given text are one run of ids.
        std::vector<uint32_t> order(tokens.size());
        for (uint32_t i = 0; i < order.size(); ++i) order[i] = i;
        std::sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) { return tokens[a] < tokens[b]; });
        std::vector<uint32_t>& rank = rank_;
        rank.resize(tokens.size());
        sorted_.resize(tokens.size());
        for (uint32_t r = 0; r < order.size(); ++r) {
            rank[order[r]] = r;
            sorted_[r] = tokens[order[r]];
        }
        // The "<" of each token, in text order.
        firstOf_.assign(tokens.size() + 1, 0);
        for (uint32_t& id : tokenId_) {
            id = rank[id];
            ++firstOf_[id + 1];
        }
        for (size_t r = 0; r < tokens.size(); ++r) firstOf_[r + 1] += firstOf_[r];
        byToken_.resize(count);
        std::vector<size_t> next(firstOf_.begin(), firstOf_.end() - 1);
        for (size_t k = 0; k < count; ++k) byToken_[next[tokenId_[k]]++] = static_cast<Pos>(k);
    }

    // The same answer as ClosingTag.
    size_t ClosingTag(size_t from, size_t to, Piece rest, Piece name) {
        if (name.empty()) return to;
        Steps& steps = StepsOf(name);
        const size_t m = steps.at.size();
        // Elements are met in text order, so `from` mostly moves on: the first
        // entry at or after it is found by walking on from the last search.
        size_t t = steps.cursor;
        if (t > 0 && steps.at[t - 1] >= from)
            t = static_cast<size_t>(std::lower_bound(steps.at.begin(), steps.at.end(), from) - steps.at.begin());
        while (t < m && steps.at[t] < from) ++t;
        steps.cursor = t;
        // The entry where the depth first falls below its start is an end tag.
        // A match that runs past the end of rest does not count there; but
        // such a match can only stand after every match that fits, so it
        // cannot make the depth fall earlier, and when the falling entry itself
        // runs past the end, the depth does not fall inside rest at all.
        const size_t drop = steps.lower[t];
        if (drop > m) return to;
        const size_t closing = steps.at[drop - 1];
        if (closing >= to) return to;
        const char* p = angles_[closing];
        return p <= rest.end && static_cast<size_t>(rest.end - p) >= name.size() + 2 ? closing : to;
    }

private:
    struct Steps {
        std::vector<Pos> at;     // "<" indices where the name opens or closes (or both), ascending
        std::vector<Pos> lower;  // lower[t]: first t' > t where the depth before entry t' is
                                 // below the depth before entry t, or size + 1
        size_t cursor = 0;       // first entry at or after the last search's start
    };

    Steps& StepsOf(Piece name) {
        key_.assign(name.begin, name.size());
        for (char& c : key_) c = AsciiLower(c);
        // Damaged text mostly repeats one name.
        if (last_ != nullptr && key_ == *lastKey_) return *last_;
        // A name that "<" stands before at most once is searched once: its
        // steps are not kept, which spares two lookups in a table that is
        // large where names mostly differ.
        const bool once = StandsAtMostOnce(key_);
        if (!once) {
            const uint32_t known = names_.Find(key_);
            if (known != Interner::kNone) {
                lastKey_ = &keys_[known];
                return *(last_ = &steps_[known]);
            }
        }

        Matches(key_, opens_);
        Matches("/" + key_, closes_);
        Steps s;
        step_.clear();  // depth change at each entry
        s.at.reserve(opens_.size() + closes_.size());
        size_t a = 0, b = 0;
        while (a < opens_.size() || b < closes_.size()) {
            const Pos k =
                b == closes_.size() || (a < opens_.size() && opens_[a] <= closes_[b]) ? opens_[a] : closes_[b];
            int8_t change = 0;
            if (a < opens_.size() && opens_[a] == k) ++change, ++a;
            if (b < closes_.size() && closes_[b] == k) --change, ++b;
            s.at.push_back(k);
            step_.push_back(change);
        }
        // Left to right, with a stack of the entries whose lower one is not
        // known yet (their depths rise towards the top).
        const size_t m = s.at.size();
        s.lower.assign(m + 1, static_cast<Pos>(m + 1));
        pending_.clear();
        int64_t depth = 0;
        for (size_t t = 0; t <= m; ++t) {
            while (!pending_.empty() && depth < pending_.back().first) {
                s.lower[pending_.back().second] = static_cast<Pos>(t);
                pending_.pop_back();
            }
            pending_.emplace_back(depth, static_cast<Pos>(t));
            if (t < m) depth += step_[t];
        }
        if (once) {
            searchedOnce_ = std::move(s);
            last_ = nullptr;
            return searchedOnce_;
        }
        keys_.push_back(key_);
        steps_.push_back(std::move(s));
        names_.Add(keys_.back());
        lastKey_ = &keys_.back();
        return *(last_ = &steps_.back());
    }

    // The "<" indices, ascending, whose following bytes begin with `wanted`
    // (folded, not empty).
    void Matches(const std::string& wanted, std::vector<Pos>& out) {
        out.clear();
        const size_t lt = wanted.find('<');
        if (lt == std::string::npos) {
            // Tokens beginning with the text: a run of ids.
            const auto [first, last] = TokensBeginning(wanted);
            const size_t found = firstOf_[last] - firstOf_[first];
            if (last - first > 1 && found > tokenId_.size() / 16) {
                // Many: one pass over all "<" yields them in order.
                out.reserve(found);
                for (size_t k = 0; k < tokenId_.size(); ++k)
                    if (tokenId_[k] >= first && tokenId_[k] < last) out.push_back(static_cast<Pos>(k));
                return;
            }
            out.assign(byToken_.begin() + static_cast<std::ptrdiff_t>(firstOf_[first]),
                       byToken_.begin() + static_cast<std::ptrdiff_t>(firstOf_[last]));
            if (last - first > 1) std::sort(out.begin(), out.end());
            return;
        }
        // Pieces between the "<"s: all but the last must be whole tokens that
        // end at the next "<", the last must begin the token after them. With
        // each "<" written as its token's rank and whether it is chained, that
        // is a run of given values followed by one from a range (the tokens
        // beginning with the last piece are a run of ranks), and the "<"s where
        // such runs start are one stretch of the suffixes in sorted order.
        std::vector<uint64_t> pattern;
        size_t at = 0;
        for (size_t next = lt; next != std::string::npos; next = wanted.find('<', at)) {
            const uint32_t rank = RankOf(std::string_view(wanted.data() + at, next - at));
            if (rank == Interner::kNone) return;  // no such token anywhere
            pattern.push_back(2 * static_cast<uint64_t>(rank) + 1);
            at = next + 1;
        }
        const auto [first, last] = TokensBeginning(std::string_view(wanted.data() + at, wanted.size() - at));
        if (first == last) return;
        // Few "<"s hold a token beginning with the last piece (damaged text
        // mostly has names seen once): the tokens before each are compared
        // with the pattern directly, and the suffixes need not be sorted.
        if (firstOf_[last] - firstOf_[first] <= kFewToCheck) {
            for (size_t j = firstOf_[first]; j < firstOf_[last]; ++j) {
                const size_t k = byToken_[j];
                if (k < pattern.size()) continue;
                const size_t start = k - pattern.size();
                size_t i = 0;
                while (i < pattern.size() && ValueAt(start + i) == pattern[i]) ++i;
                if (i == pattern.size()) out.push_back(static_cast<Pos>(start));
            }
            std::sort(out.begin(), out.end());
            return;
        }
        SortSuffixes(pattern.size() + 1);
        // Whether the values from "<" number s on come before the pattern
        // followed by `bound`; a run cut short by the end comes first.
        auto before = [&](uint64_t bound) {
            return [&, bound](Pos s) {
                for (size_t i = 0; i <= pattern.size(); ++i) {
                    if (s + i >= tokenId_.size()) return true;
                    const uint64_t v = ValueAt(s + i);
                    const uint64_t w = i < pattern.size() ? pattern[i] : bound;
                    if (v != w) return v < w;
                }
                return false;
            };
        };
        const auto from = std::partition_point(suffixes_.begin(), suffixes_.end(), before(2 * uint64_t{first}));
        const auto to = std::partition_point(from, suffixes_.end(), before(2 * uint64_t{last}));
        out.assign(from, to);
        std::sort(out.begin(), out.end());
    }

    static constexpr size_t kFewToCheck = 64;

    // Whether "<" + the folded name stands at most once in the text: at most
    // one "<" holds a token beginning with it, or with its last piece after
    // a "<".
    bool StandsAtMostOnce(const std::string& folded) const {
        const size_t lt = folded.rfind('<');
        const std::string_view last =
            lt == std::string::npos ? std::string_view(folded) : std::string_view(folded).substr(lt + 1);
        const auto [first, end] = TokensBeginning(last);
        return firstOf_[end] - firstOf_[first] <= 1;
    }

    // The run of ranks [first, last) of the tokens beginning with `prefix`.
    std::pair<size_t, size_t> TokensBeginning(std::string_view prefix) const {
        auto begins = [&](std::string_view token) { return token.substr(0, prefix.size()) == prefix; };
        const uint32_t exact = RankOf(prefix);
        if (exact == Interner::kNone) {
            const auto first = std::lower_bound(sorted_.begin(), sorted_.end(), prefix);
            const auto last = std::partition_point(first, sorted_.end(), begins);
            return {static_cast<size_t>(first - sorted_.begin()), static_cast<size_t>(last - sorted_.begin())};
        }
        // The token itself comes first; the run after it is mostly short, so
        // its end is found by galloping. Below `low` all begin with the
        // prefix; `high` is the end or one that does not.
        const size_t n = sorted_.size();
        size_t low = exact + 1, high = low, step = 1;
        while (high < n && begins(sorted_[high])) {
            low = high + 1;
            step *= 2;
            high = exact + step;
        }
        high = std::min(high, n);
        const auto last = std::partition_point(sorted_.begin() + static_cast<std::ptrdiff_t>(low),
                                               sorted_.begin() + static_cast<std::ptrdiff_t>(high), begins);
        return {exact, static_cast<size_t>(last - sorted_.begin())};
    }

    // The rank of the token that is exactly `text`, or Interner::kNone.
    // Damaged text repeats the same few pieces between names that differ, so
    // the last answers for short texts are kept in front of the token table,
    // whose lookups miss the cache on a large text.
    uint32_t RankOf(std::string_view text) const {
        uint32_t h = 2166136261u;
        for (const char c : text) h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
        Recent& recent = recent_[h % kRecent];
        if (recent.valid && recent.size == text.size() && SameBytes(recent.bytes.data(), text.data(), text.size()))
            return recent.rank;
        const uint32_t id = tokens_.Find(text);
        const uint32_t rank = id == Interner::kNone ? Interner::kNone : rank_[id];
        if (text.size() <= recent.bytes.size()) {
            std::copy(text.begin(), text.end(), recent.bytes.begin());
            recent.size = static_cast<uint8_t>(text.size());
            recent.rank = rank;
            recent.valid = true;
        }
        return rank;
    }

    // The value of "<" number k in the sequence the suffixes are sorted by.
    uint64_t ValueAt(size_t k) const { return 2 * uint64_t{tokenId_[k]} + chained_[k]; }

    // Sorts suffixes_ by at least their first `depth` values, doubling the
    // depth from the last call's (each step sorts by the class of the first
    // half, then the class of the second), so that the whole costs the
    // count of "<" times the logarithm of the longest name searched.
    void SortSuffixes(size_t depth) {
        const size_t count = tokenId_.size();
        if (sortedDepth_ >= depth) return;
        if (sortedDepth_ == 0) {
            // By the first value: counting sort over the values.
            std::vector<Pos> start(2 * sorted_.size() + 2, 0);
            for (size_t k = 0; k < count; ++k) ++start[ValueAt(k) + 1];
            for (size_t v = 1; v < start.size(); ++v) start[v] += start[v - 1];
            suffixes_.resize(count);
            for (size_t k = 0; k < count; ++k) suffixes_[start[ValueAt(k)]++] = static_cast<Pos>(k);
            class_.resize(count);
            Reclass([&](Pos a, Pos b) { return ValueAt(a) == ValueAt(b); });
            sortedDepth_ = 1;
        }
        std::vector<Pos> bySecond(count), start;
        while (sortedDepth_ < depth && classes_ < count) {
            const size_t h = sortedDepth_;
            // By the second half's class: those with none (it runs past the
            // end) first, the others in the order their second halves hold.
            size_t n = 0;
            for (size_t k = count - std::min(h, count); k < count; ++k) bySecond[n++] = static_cast<Pos>(k);
            for (const Pos s : suffixes_)
                if (s >= h) bySecond[n++] = static_cast<Pos>(s - h);
            // Then, keeping that order, by the first half's class.
            start.assign(classes_ + 1, 0);
            for (size_t k = 0; k < count; ++k) ++start[class_[k] + 1];
            for (size_t c = 1; c < start.size(); ++c) start[c] += start[c - 1];
            for (const Pos k : bySecond) suffixes_[start[class_[k]]++] = k;
            secondClass_.resize(count);
            for (size_t k = 0; k < count; ++k)
                secondClass_[k] = static_cast<Pos>(k + h < count ? class_[k + h] + 1 : 0);
            Reclass([&](Pos a, Pos b) { return class_[a] == class_[b] && secondClass_[a] == secondClass_[b]; });
            sortedDepth_ = 2 * h;
        }
        if (classes_ == count) sortedDepth_ = SIZE_MAX;  // all apart: sorted for any depth
    }

    // Numbers the classes of the sorted suffixes 0, 1, ... where `same` says
    // two neighbours differ in the values sorted by so far.
    template <typename Same>
    void Reclass(Same same) {
        std::vector<Pos> fresh(suffixes_.size());
        Pos c = 0;
        for (size_t i = 0; i < suffixes_.size(); ++i) {
            if (i > 0 && !same(suffixes_[i - 1], suffixes_[i])) ++c;
            fresh[suffixes_[i]] = c;
        }
        class_.swap(fresh);
        classes_ = suffixes_.empty() ? 0 : size_t{c} + 1;
    }

    const Index& angles_;
    std::string folded_;
    struct Recent {
        std::array<char, 22> bytes;
        uint8_t size = 0;
        bool valid = false;
        uint32_t rank = 0;
    };
    static constexpr size_t kRecent = 64;
    mutable std::array<Recent, kRecent> recent_{};
    Interner tokens_;                       // the distinct tokens, by their first "<"
    std::vector<uint32_t> rank_;            // rank of each of them in sorted order
    std::vector<uint32_t> tokenId_;         // per "<": rank of its token among the distinct tokens
    std::vector<uint8_t> chained_;          // per "<": its token ends at the next "<"
    std::vector<std::string_view> sorted_;  // the distinct tokens, sorted
    std::vector<size_t> firstOf_;           // byToken_ from firstOf_[id] to firstOf_[id +
                                            // 1]: that token's "<"s
    std::vector<Pos> byToken_;
    // The "<" indices sorted by the values from each on (rank of its token
    // and whether it is chained), as far as sortedDepth_ values; class_ numbers
    // the runs of equal ones in that order, classes_ of them.
    std::vector<Pos> suffixes_, class_, secondClass_;
    size_t classes_ = 0;
    size_t sortedDepth_ = 0;
    // The names searched so far, with their steps; deques, so that the
    // views of names_ and the pointers below stay valid.
    Interner names_;
    std::deque<std::string> keys_;
    std::deque<Steps> steps_;
    Steps* last_ = nullptr;
    const std::string* lastKey_ = nullptr;
    Steps searchedOnce_;  // of the last name searched only once
    // Work space, kept between names.
    std::string key_;
    std::vector<Pos> opens_, closes_;
    std::vector<int8_t> step_;
    std::vector<std::pair<int64_t, Pos>> pending_;
};

// What a tag says, read from the bytes between "<" and ">": "/" at the end,
// "!" or "?" at the start make an element without content; the name ends at
// the first space, the attributes follow it.
struct StartTag {
    Piece name;
    Piece attributes;
    bool empty;
};

StartTag ReadStartTag(Piece between) {
    // Mostly a name alone, which needs none of the steps below.
    if (!between.empty() && !IsBlank(*between.begin) && *between.begin != '!' && *between.begin != '?' &&
        !IsBlank(between.end[-1]) && between.end[-1] != '/' && Find(between, ' ') == nullptr)
        return StartTag{between, Piece{between.end, between.end}, false};
    Piece tagText = Trimmed(between);
    bool empty = false;
    if (!tagText.empty() && tagText.end[-1] == '/') {
        --tagText.end;
        empty = true;
    }
    if (!tagText.empty() && *tagText.begin == '!') {
        ++tagText.begin;
        empty = true;
    } else if (!tagText.empty() && *tagText.begin == '?') {
        ++tagText.begin;
        if (!tagText.empty() && tagText.end[-1] == '?') --tagText.end;
        empty = true;
    }
    StartTag tag{tagText, Piece{tagText.end, tagText.end}, empty};
    if (const char* space = Find(tagText, ' ')) {
        tag.name = Trimmed(Piece{tagText.begin, space});
        tag.attributes = Trimmed(Piece{space, tagText.end});
    }
    return tag;
}

// One pending ParseText call: its rest and its parent. Element content is read
// by pushing a frame instead of recursing, so the depth of the input costs
// heap, not stack.
struct Frame {
    Piece rest;
    TXMLTag* parent;
    size_t end;  // index of the first "<" at or after rest.end
};

// Receives the writer's lines: a list of lines for WriteNode, the file text
// with CR LF after every line for SaveToText.
class LineWriter {
public:
    using Pieces = std::array<std::string_view, 5>;
    virtual ~LineWriter() = default;
    // One line: `indent` spaces, then the pieces.
    void Line(int indent, std::string_view a, std::string_view b = {}, std::string_view c = {}, std::string_view d = {},
              std::string_view e = {}) {
        Put(indent, Pieces{a, b, c, d, e});
    }

protected:
    virtual void Put(int indent, const Pieces& pieces) = 0;
};

class ListWriter : public LineWriter {
public:
    explicit ListWriter(std::vector<std::string>& lines) : lines_(lines) {}

protected:
    void Put(int indent, const Pieces& pieces) override {
        std::string line(static_cast<size_t>(indent), ' ');
        for (std::string_view s : pieces) line.append(s.data(), s.size());
        lines_.push_back(std::move(line));
    }

private:
    std::vector<std::string>& lines_;
};

class TextWriter : public LineWriter {
public:
    explicit TextWriter(std::string& text) : text_(text) {}

protected:
    void Put(int indent, const Pieces& pieces) override {
        text_.append(static_cast<size_t>(indent), ' ');
        for (std::string_view s : pieces) text_.append(s.data(), s.size());
        text_ += "\r\n";
    }

private:
    std::string& text_;
};

// Trimmed for the writer, whose texts have no padding after them.
std::string TrimmedString(const std::string& s) {
    size_t first = 0, end = s.size();
    while (first < end && IsBlank(s[first])) ++first;
    while (end > first && IsBlank(s[end - 1])) --end;
    return s.substr(first, end - first);
}

// A blank at either end of a text is written as a reference: the reader trims
// the lines and the ends of texts, and decodes only after that, so " Lead"
// keeps its space. A tab is a reference already.
std::string Encoded(TXMLCodec* codec, const std::string& text) {
    if (codec == nullptr) return text;
    std::string encoded = codec->Encode(text);
    if (!encoded.empty() && encoded.back() == ' ') encoded.replace(encoded.size() - 1, 1, "&#32;");
    if (!encoded.empty() && encoded.front() == ' ') encoded.replace(0, 1, "&#32;");
    return encoded;
}

// Writes the children of `element` at `indent`, or with includeRoot the element
// itself. Deep trees are walked with a stack of their own.
void WriteTree(TXMLCodec* codec, TXMLTag* element, bool includeRoot, int indent, LineWriter& out) {
    struct Level {
        TXMLTag* tag;        // whose children are written
        int next;            // next child position
        int indent;          // of the children
        TXMLTag* onlyChild;  // include root: the element stands alone in place of
                             // tag's children
    };
    std::vector<Level> stack;
    stack.push_back(Level{element, 0, indent, includeRoot ? element : nullptr});
    while (!stack.empty()) {
        Level& level = stack.back();
        TXMLBase* child = nullptr;
        if (level.onlyChild != nullptr) {
            if (level.next == 0) child = level.onlyChild;
        } else if (level.tag != nullptr) {
            child = level.tag->Items.Item(level.next);
        }
        if (child == nullptr) {
            const int closingIndent = level.indent - 2;
            TXMLTag* closed = stack.size() > 1 ? level.tag : nullptr;
            stack.pop_back();
            if (closed != nullptr) out.Line(closingIndent, "</", closed->Name, ">");
            continue;
        }
        ++level.next;
        const int n = level.indent;

        if (const TXMLText* text = child->AsText()) {
            out.Line(n, Encoded(codec, text->Text));
            continue;
        }
        TXMLTag* tag = child->AsTag();
        const std::string start = TrimmedString("<" + tag->Name + " " + tag->Attributes.AsText());
        if (tag->Items.Count() == 0) {
            out.Line(n, start, " />");
            continue;
        }
        if (tag->Items.TagCount() == 0) {
            const std::string text = Encoded(codec, tag->Text());
            // The one-line form: start + ">" + text + "</" + name + ">".
            const size_t oneLine = start.size() + 1 + text.size() + 2 + tag->Name.size() + 1;
            if (oneLine <= 80) {
                out.Line(n, start, ">", text, "</" + tag->Name, ">");
                continue;
            }
        }
        out.Line(n, start, ">");
        stack.push_back(Level{tag, 0, n + 2, nullptr});
    }
}

}  // namespace

std::string XmlNotValidMessage(const std::string& fileName) {
    return "\"" + fileName + "\" ist keine g\xFCltige XML-Datei!";
}

bool TXMLParser::LoadFromText(const std::string& bytes, const std::string& fileName, TXMLTag* root) {
    std::unique_ptr<char[]> buffer(new char[bytes.size() + kXmlReadPadding]);
    if (!bytes.empty()) std::memcpy(buffer.get(), bytes.data(), bytes.size());
    std::memset(buffer.get() + bytes.size(), 0, kXmlReadPadding);
    return LoadFromBuffer(std::move(buffer), bytes.size(), fileName, root);
}

bool TXMLParser::LoadFromBuffer(std::unique_ptr<char[]> data, std::size_t size, const std::string& fileName,
                                TXMLTag* root) {
    size_t begin = 0, end = 0;
    FindContent(data.get(), size, fileName, begin, end);
    if (root == nullptr) return false;
    // Names and texts of the new nodes refer into the buffer, which the root
    // keeps from now on.
    char* const kept = root->Storage().Keep(std::move(data));
    return ParseKeptLines(kept + begin, end - begin, root);
}

bool TXMLParser::LoadFromBuffer(std::string&& data, const std::string& fileName, TXMLTag* root) {
    const size_t size = data.size();
    data.append(kXmlReadPadding, '\0');
    size_t begin = 0, end = 0;
    FindContent(&data[0], size, fileName, begin, end);
    if (root == nullptr) return false;
    char* const kept = root->Storage().Keep(std::move(data));
    return ParseKeptLines(kept + begin, end - begin, root);
}

void TXMLParser::FindContent(const char* data, std::size_t size, const std::string& fileName, std::size_t& begin,
                             std::size_t& end) {
    // Byte 26 ends the file. Lines end at CR, with an LF right after it
    // belonging to the line end; an LF elsewhere is an ordinary byte.
    // Everything up to and including the first line holding "<?xml" is
    // skipped.
    const char* const last = XmlFindByte(data, data + size, 26);
    const char* const stop = last ? last : data + size;
    const char* p = data;
    bool declared = false;
    while (p < stop && !declared) {
        const char* cr = XmlFindByte(p, stop, '\r');
        declared =
            std::string_view(p, static_cast<size_t>((cr ? cr : stop) - p)).find("<?xml") != std::string_view::npos;
        p = cr ? cr + 1 : stop;
        if (p < stop && *p == '\n') ++p;
    }
    if (!declared || p >= stop) throw EXMLException(XmlNotValidMessage(fileName), fileName);
    begin = static_cast<size_t>(p - data);
    end = static_cast<size_t>(stop - data);
}

std::size_t TXMLParser::JoinLines(char* lines, std::size_t size) {
    const char* p = lines;
    const char* const end = lines + size;
    // The trimmed lines joined, and the LF bytes inside lines dropped, as
    // ParseText would drop them. The joined text is never longer than what it
    // was read from, so it is built in place at the front of the buffer.
    char* to = lines;
    while (p < end) {
        Piece line;
        const char* stop = FindLineBreak(p, end);
        if (stop == nullptr || *stop == '\r') {
            // The usual line: no LF before its CR, so it is only trimmed.
            line = Trimmed(Piece{p, stop ? stop : end});
            p = stop ? stop + 1 : end;
            if (p < end && *p == '\n') ++p;
            MoveDown(to, line.begin, line.size());
            to += line.size();
            continue;
        }
        const char* cr = Find(Piece{p, end}, '\r');
        line = Trimmed(Piece{p, cr ? cr : end});
        p = cr ? cr + 1 : end;
        if (p < end && *p == '\n') ++p;
        while (const char* lf = Find(line, '\n')) {
            MoveDown(to, line.begin, static_cast<size_t>(lf - line.begin));
            to += lf - line.begin;
            line.begin = lf + 1;
        }
        MoveDown(to, line.begin, line.size());
        to += line.size();
    }
    return static_cast<size_t>(to - lines);
}

bool TXMLParser::ParseText(const std::string& text, TXMLTag* parent) {
    if (parent == nullptr) return false;
    // The text is kept by the parent, as ParseText would read it: without its
    // CR and LF bytes.
    std::unique_ptr<char[]> clean(new char[text.size() + kXmlReadPadding]);
    std::memset(clean.get() + text.size(), 0, kXmlReadPadding);
    size_t length = 0;
    if (std::memchr(text.data(), '\r', text.size()) == nullptr &&
        std::memchr(text.data(), '\n', text.size()) == nullptr) {
        if (!text.empty()) std::memcpy(clean.get(), text.data(), text.size());
        length = text.size();
    } else {
        for (char c : text)
            if (c != '\r' && c != '\n') clean[length++] = c;
    }
    return ParseKeptText(parent->Storage().Keep(std::move(clean)), length, parent);
}

inline bool TXMLParser::AddTextChild(XmlNodeMaker& make, TXMLTag* parent, const char* text, std::size_t length) {
    if (plainCodec_) {
        // The plain codec decodes straight from the buffer into the storage; a
        // text without references, as most are, stays where it was read.
        const char* const ampersand = XmlFindBytePadded(text, text + length, '&');
        if (ampersand == nullptr) {
            make.Text(parent, text, length);
            return true;
        }
        return AddDecodedText(make, parent, text, length, ampersand);
    }
    return AddTextThroughCodec(make, parent, text, length);
}

bool TXMLParser::AddDecodedText(XmlNodeMaker& make, TXMLTag* parent, const char* text, std::size_t length,
                                const char* ampersand) {
    XmlStorage& storage = make.Storage();
    {
        char* const decoded = storage.TakeBytes(length + kXmlDecodeSlack);
        size_t decodedLength = 0;
        try {
            decodedLength = XmlDecodePaddedFrom(text, length, ampersand, decoded);
        } catch (const EXMLDecodeError&) {
            storage.ReturnUnusedBytes(decoded, length + kXmlDecodeSlack, 0);
            make.Text(parent, text, length);
            return false;
        }
        storage.ReturnUnusedBytes(decoded, length + kXmlDecodeSlack, decodedLength);
        make.Text(parent, decoded, decodedLength);
        return true;
    }
}

bool TXMLParser::AddTextThroughCodec(XmlNodeMaker& make, TXMLTag* parent, const char* text, std::size_t length) {
    XmlStorage& storage = make.Storage();
    if (Codec == nullptr) {
        make.Text(parent, text, length);
        return true;
    }
    try {
        const std::string decoded = Codec->Decode(std::string(text, length));
        char* const kept = storage.TakeBytes(decoded.size());
        if (!decoded.empty()) std::memcpy(kept, decoded.data(), decoded.size());
        make.Text(parent, kept, decoded.size());
        return true;
    } catch (const EXMLDecodeError&) {
        // A bad reference fails this step; the text is kept as it stands rather
        // than lost, and reading goes on after it.
        make.Text(parent, text, length);
        return false;
    }
}

namespace {

// ParseKeptText with the index type chosen for the text's size.
template <typename Index, typename AddText>
bool ParseIndexed(const char* text, std::size_t size, TXMLTag* parent, XmlNodeMaker& make, AddText addText) {
    const Index angles(text, size);
    size_t cursor = 0;  // into angles: the first "<" at or after the current rest
    std::vector<Frame> frames;
    frames.push_back(Frame{Piece{text, text + size}, parent, angles.size()});
    // The plain closing-tag search is the faster one on a backup file, where
    // each "<" is passed by the few elements around it. Once the searches have
    // passed every "<" several times over, the text is of another shape, and
    // the name index takes over.
    size_t allowance = XmlPlainSearchAllowance(size);
    std::unique_ptr<NameIndex<Index>> names;
    bool result = false;

    while (!frames.empty()) {
        const size_t current = frames.size() - 1;
        Piece rest = frames[current].rest;
        TXMLTag* const into = frames[current].parent;
        const size_t restEnd = frames[current].end;
        if (rest.empty()) {
            frames.pop_back();
            continue;
        }
        bool completed = true;

        cursor = angles.FirstAtOrAfter(rest.begin, cursor);
        const char* lt = cursor < restEnd ? angles[cursor] : nullptr;
        if (lt == nullptr) {
            // Text to the end, as it stands (not trimmed).
            completed = addText(into, rest.begin, rest.size());
            frames[current].rest = Piece{rest.end, rest.end};
            if (current == 0) result = completed;
            continue;
        }
        const Piece leading = Trimmed(Piece{rest.begin, lt});
        if (!leading.empty()) completed = addText(into, leading.begin, leading.size());
        rest.begin = lt;

        const char* gt = Find(rest, '>');
        if (gt == nullptr) {
            // A "<" with no ">" after it: a nameless element whose content is the
            // rest but its last byte, which again is a "<" without ">". So it
            // ends as a chain of nameless elements, one per byte of the rest.
            TXMLTag* chain = into;
            for (size_t i = 0; i < rest.size(); ++i) chain = make.Tag(chain, rest.end, 0);
            frames[current].rest = Piece{rest.end, rest.end};
            if (current == 0) result = completed;
            continue;
        }
        const StartTag tag = ReadStartTag(Piece{lt + 1, gt});
        const Piece name = tag.name;
        const Piece attributes = tag.attributes;
        const bool empty = tag.empty;
        rest = Trimmed(Piece{gt + 1, rest.end});

        if (empty) {
            TXMLTag* element = make.Tag(into, name.begin, name.size());
            if (!attributes.empty()) element->Attributes.ParseText(attributes.begin, attributes.size());
            frames[current].rest = rest;
            if (current == 0) result = completed;
            continue;
        }

        Piece content;
        size_t contentEnd = restEnd;
        const size_t contentStart = angles.FirstAtOrAfter(rest.begin, cursor);
        size_t closingIndex = kGaveUp;
        if (!names) {
            closingIndex = ClosingTag(angles, contentStart, restEnd, rest, name, allowance);
            if (closingIndex == kGaveUp) names = std::make_unique<NameIndex<Index>>(angles, text, size);
        }
        if (names) closingIndex = names->ClosingTag(contentStart, restEnd, rest, name);
        if (closingIndex < restEnd) {
            const char* closing = angles[closingIndex];
            content = Piece{rest.begin, closing};
            contentEnd = closingIndex;
            const char* afterEnd = Find(Piece{closing, rest.end}, '>');
            rest = afterEnd ? Piece{afterEnd + 1, rest.end} : Piece{rest.end, rest.end};
        } else {
            // No end tag: all but the last byte is the content, nothing is left.
            content = Piece{rest.begin, rest.empty() ? rest.end : rest.end - 1};
            // The content ends one byte before rest does: only a "<" in that
            // last byte lies between the two ends.
            if (!rest.empty() && restEnd > 0 && angles[restEnd - 1] == content.end) contentEnd = restEnd - 1;
            rest = Piece{rest.end, rest.end};
        }
        TXMLTag* element = make.Tag(into, name.begin, name.size());
        if (!attributes.empty()) element->Attributes.ParseText(attributes.begin, attributes.size());
        frames[current].rest = rest;
        if (current == 0) result = completed;
        // The content is read before this call's next step; its result does not
        // count. Content without any "<" is one text as it stands, added at once
        // (most elements of a backup file hold just that).
        if (contentStart == contentEnd) {
            if (!content.empty()) addText(element, content.begin, content.size());
            continue;
        }
        frames.push_back(Frame{content, element, contentEnd});
    }
    return result;
}

// What the joining of lines makes of the bytes between two tags, when that
// is one piece of them: each line trimmed at its ends, which are the CR bytes
// inside, the start when `startsLine` and the end when `endsLine`. False
// when two or more lines keep bytes, or an LF stays inside.
bool JoinedPiece(Piece& piece, bool startsLine, bool endsLine) {
    // Mostly the line break and indentation between two tags, or a text on
    // the line of its tags.
    bool lineBreak = false;
    const char* const firstByte = XmlSkipBlanksPadded(piece.begin, piece.end, lineBreak);
    if (firstByte == piece.end) {
        if (lineBreak || startsLine || endsLine) piece.end = piece.begin;
        return true;
    }
    if (FindLineBreak(firstByte, piece.end) == nullptr && !lineBreak) {
        if (startsLine) piece.begin = Trimmed(Piece{piece.begin, piece.end}).begin;
        if (endsLine) piece.end = Trimmed(Piece{piece.begin, piece.end}).end;
        return true;
    }
    Piece found{piece.end, piece.end};
    const char* start = piece.begin;
    for (bool lineStart = startsLine;; lineStart = true) {
        const char* const cr = XmlFindByte(start, piece.end, '\r');
        Piece line{start, cr ? cr : piece.end};
        if (lineStart) line.begin = Trimmed(line).begin;
        if (cr != nullptr || endsLine) line.end = Trimmed(line).end;
        if (!line.empty()) {
            if (!found.empty() || XmlFindByte(line.begin, line.end, '\n') != nullptr) return false;
            found = line;
        }
        if (cr == nullptr) break;
        start = cr + 1;
    }
    piece = found;
    return true;
}

// The reading of a text in one pass with a stack of open elements, where an
// end tag closes the innermost open element. For texts of the writer's shape
// that gives the same tree as the closing-tag searches, at a fraction of the
// work; it stops (the nodes it added left for the caller to drop) at the first
// thing where the two could differ:
//   - a text with a blank byte at either end (the full reading trims some);
//   - a "<" without ">" after it, or a tag holding a "<" (or, on lines not
//     joined yet, a line break), or a text that is not one piece of a line;
//   - an end tag that is not "</" + the innermost open element's name + ">";
//   - a "<" followed by the name of an open element, or by "/" and it (that
//     would count in the element's closing-tag search), apart from its end tag;
//   - a nameless element with content, or elements left open at the end.
// Its work is linear in the text at any depth, so stopping and reading again
// stays linear.
// `result` is what ParseText answers when the reading completes.
// The names of the open elements by a hash of their folded bytes and their
// length, for the one-pass reading of deeply nested text: whether the bytes
// after a "<" begin with one of them then costs the length of that tag rather
// than the depth. A hash that matches by chance only sends the text to the
// full reading.
class OpenNames {
public:
    void Add(Piece name) {
        ++counts_[KeyOf(name)];
        if (lengths_.size() <= name.size()) lengths_.resize(name.size() + 1, 0);
        ++lengths_[name.size()];
        longest_ = std::max(longest_, name.size());
    }
    void Remove(Piece name) {
        const auto found = counts_.find(KeyOf(name));
        if (--found->second == 0) counts_.erase(found);
        --lengths_[name.size()];
    }
    // Whether [from, to) begins with the name of an open element.
    bool BeginsOne(const char* from, const char* to) const {
        const size_t limit = std::min(longest_, static_cast<size_t>(to - from));
        uint64_t h = 0;
        for (size_t k = 1; k <= limit; ++k) {
            h = Step(h, from[k - 1]);
            if (lengths_[k] != 0 && counts_.count(Key(h, k)) != 0) return true;
        }
        return false;
    }

private:
    static uint64_t Step(uint64_t h, char c) {
        return h * 0x100000001B3ull + static_cast<unsigned char>(AsciiLower(c)) + 1;
    }
    static uint64_t Key(uint64_t h, size_t length) { return h ^ (length * 0x9E3779B97F4A7C15ull); }
    static uint64_t KeyOf(Piece name) {
        uint64_t h = 0;
        for (const char* c = name.begin; c < name.end; ++c) h = Step(h, *c);
        return Key(h, name.size());
    }

    std::unordered_map<uint64_t, uint32_t> counts_;
    std::vector<uint32_t> lengths_;
    size_t longest_ = 0;
};

template <bool kLinesNotJoined, typename AddText>
bool ReadInOnePass(const char* text, std::size_t size, TXMLTag* parent, XmlNodeMaker& make, AddText addText,
                   bool& result) {
    struct Open {
        TXMLTag* element;
        Piece name;
        char first;  // folded
    };
    std::vector<Open> open;
    // Up to this depth the open names are compared one by one; deeper, by
    // their hashes.
    constexpr size_t kFewOpen = 8;
    std::unique_ptr<OpenNames> deep;
    const char* p = text;
    const char* const end = text + size;
    result = false;
    while (p < end) {
        TXMLTag* const into = open.empty() ? parent : open.back().element;
        const char* lt;
        Piece piece;
        if constexpr (kLinesNotJoined) {
            // Mostly a line break and indentation before the next tag, or a
            // text on the line of its tags: both are read here, other texts
            // by JoinedPiece.
            bool lineBreak = false;
            const char* const firstByte = XmlSkipBlanksPadded(p, end, lineBreak);
            const bool trimmedAway = lineBreak || p == text;
            if (firstByte != p && !trimmedAway) return false;  // a blank the full reading keeps
            lt = firstByte == end ? nullptr : XmlFindAngleOrLineBreakPadded(firstByte, end);
            if (lt != nullptr && *lt == '<') {
                piece = Piece{firstByte, lt};
            } else {
                lt = XmlFindBytePadded(lt ? lt : end, end, '<');
                piece = Piece{p, lt ? lt : end};
                if (!JoinedPiece(piece, p == text, lt == nullptr)) return false;
            }
        } else {
            lt = XmlFindBytePadded(p, end, '<');
            piece = Piece{p, lt ? lt : end};
        }
        bool completed = true;
        if (!piece.empty()) {
            if (IsBlank(*piece.begin) || IsBlank(piece.end[-1])) return false;
            completed = addText(into, piece.begin, piece.size());
        }
        if (lt == nullptr) {
            // Blank lines at the end are no step of the reading.
            if (!piece.empty()) result = completed;
            break;
        }
        const char* gt;
        if constexpr (kLinesNotJoined) {
            gt = XmlFindPlainTagEndPadded(lt + 1, end);
            if (gt == nullptr) return false;
        } else {
            gt = XmlFindBytePadded(lt + 1, end, '>');
            if (gt == nullptr || XmlFindBytePadded(lt + 1, gt, '<') != nullptr) return false;
        }
        p = gt + 1;
        if (lt[1] == '/') {
            if (open.empty()) return false;
            const Piece closed = open.back().name;
            if (static_cast<size_t>(gt - (lt + 2)) != closed.size() || !StartsWithName(lt + 2, gt, closed))
                return false;
            if (deep) deep->Remove(closed);
            open.pop_back();
            continue;
        }
        // The names never hold ">", so a match ends before the tag does.
        if (open.size() > kFewOpen && !deep) {
            deep = std::make_unique<OpenNames>();
            for (const Open& outer : open) deep->Add(outer.name);
        }
        if (deep) {
            if (deep->BeginsOne(lt + 1, gt)) return false;
        } else {
            const char next = AsciiLower(lt[1]);
            for (const Open& outer : open)
                if (next == outer.first && StartsWithName(lt + 1, gt, outer.name)) return false;
        }
        if (open.empty()) result = completed;
        const StartTag tag = ReadStartTag(Piece{lt + 1, gt});
        if (!tag.empty && tag.name.empty()) return false;
        TXMLTag* const element = make.Tag(into, tag.name.begin, tag.name.size());
        if (!tag.attributes.empty()) element->Attributes.ParseText(tag.attributes.begin, tag.attributes.size());
        if (!tag.empty) {
            open.push_back(Open{element, tag.name, AsciiLower(*tag.name.begin)});
            if (deep) deep->Add(tag.name);
        }
    }
    return open.empty();
}

}  // namespace

bool TXMLParser::ParseKeptLines(char* lines, std::size_t size, TXMLTag* parent) {
    plainCodec_ = Codec != nullptr && typeid(*Codec) == typeid(TXMLCodec);
    if (XmlOnePassAllowed()) {
        // Most files read in one pass over their lines as they stand, without
        // joining them first.
        XmlNodeMaker make(parent->Storage());
        auto addText = [this, &make](TXMLTag* into, const char* piece, std::size_t length) {
            return AddTextChild(make, into, piece, length);
        };
        const int before = parent->Items.Count();
        bool result = false;
        if (ReadInOnePass<true>(lines, size, parent, make, addText, result)) return result;
        parent->Items.ClearFrom(before);
    }
    return ParseKeptText(lines, JoinLines(lines, size), parent);
}

bool TXMLParser::ParseKeptText(const char* text, std::size_t size, TXMLTag* parent) {
    plainCodec_ = Codec != nullptr && typeid(*Codec) == typeid(TXMLCodec);
    XmlNodeMaker make(parent->Storage());
    auto addText = [this, &make](TXMLTag* into, const char* piece, std::size_t length) {
        return AddTextChild(make, into, piece, length);
    };
    if (XmlOnePassAllowed()) {
        const int before = parent->Items.Count();
        bool result = false;
        if (ReadInOnePass<false>(text, size, parent, make, addText, result)) return result;
        parent->Items.ClearFrom(before);
    }
    if (size <= UINT32_MAX) return ParseIndexed<AngleIndex<uint32_t>>(text, size, parent, make, addText);
    return ParseIndexed<AngleIndex<uint64_t>>(text, size, parent, make, addText);
}

void TXMLParser::WriteNode(TXMLTag* element, std::vector<std::string>& lines, bool includeRoot, int indentation) {
    if (element == nullptr) return;
    ListWriter out(lines);
    WriteTree(Codec, element, includeRoot, indentation, out);
}

std::string TXMLParser::SaveToText(TXMLTag* element, bool includeRoot, bool standalone) {
    std::string text;
    TextWriter out(text);
    out.Line(0, standalone ? "<?xml version=\"1.0\" standalone=\"yes\"?>" : "<?xml version=\"1.0\"?>");
    if (element != nullptr) WriteTree(Codec, element, includeRoot, 0, out);
    return text;
}
