#include "xml/XmlTree.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <utility>
#include <vector>

namespace {

// Lower case of a Windows-1252 byte, as the ANSI locale functions fold it:
// A-Z, the accented capitals 192-222 (but not the multiplication sign 215),
// and the four capitals of the 128-159 block.
unsigned char AnsiLower(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
    switch (c) {
        case 0x8A:
            return 0x9A;  // S with caron
        case 0x8C:
            return 0x9C;  // OE
        case 0x8E:
            return 0x9E;  // Z with caron
        case 0x9F:
            return 0xFF;  // Y with diaeresis
        default:
            return c;
    }
}

bool AnsiSameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (AnsiLower(static_cast<unsigned char>(a[i])) != AnsiLower(static_cast<unsigned char>(b[i]))) return false;
    }
    return true;
}

std::string AnsiFolded(std::string_view s) {
    std::string folded(s);
    for (char& c : folded) c = static_cast<char>(AnsiLower(static_cast<unsigned char>(c)));
    return folded;
}

std::string_view NameOfLine(const std::string& line) {
    const size_t eq = line.find('=');
    return std::string_view(line).substr(0, eq == std::string::npos ? line.size() : eq);
}

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

std::string_view Trimmed(std::string_view s) {
    size_t first = 0, end = s.size();
    while (first < end && IsBlank(s[first])) ++first;
    while (end > first && IsBlank(s[end - 1])) --end;
    return s.substr(first, end - first);
}

std::string WithoutDoubleQuotes(std::string_view value) {
    std::string result(value);
    for (char& c : result)
        if (c == '"') c = '\'';
    return result;
}

// Free lists of nodes made with new, by size in steps of 16 bytes, carved from blocks of
// 64 KiB. A freed node goes back on its list for the next tree the thread
// builds; the blocks stay for the life of the program. Sanitizer builds use
// the general heap, so that a use after free is still caught.
#if defined(__SANITIZE_ADDRESS__)
#define BM_XML_NODE_POOL 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define BM_XML_NODE_POOL 0
#endif
#endif
#ifndef BM_XML_NODE_POOL
#define BM_XML_NODE_POOL 1
#endif

#if BM_XML_NODE_POOL
class NodePool {
public:
    static constexpr size_t kGrain = 16;
    static constexpr size_t kLargest = 256;

    void* Take(size_t size) {
        FreeNode*& head = free_[(size + kGrain - 1) / kGrain];
        if (head == nullptr) Refill(head, (size + kGrain - 1) / kGrain * kGrain);
        FreeNode* node = head;
        head = node->next;
        return node;
    }
    void Give(void* p, size_t size) {
        FreeNode*& head = free_[(size + kGrain - 1) / kGrain];
        FreeNode* node = static_cast<FreeNode*>(p);
        node->next = head;
        head = node;
    }

private:
    struct FreeNode {
        FreeNode* next;
    };
    static void Refill(FreeNode*& head, size_t slot) {
        constexpr size_t kBlock = 64 * 1024;
        char* block = static_cast<char*>(::operator new(kBlock));
        for (size_t at = 0; at + slot <= kBlock; at += slot) {
            FreeNode* node = reinterpret_cast<FreeNode*>(block + at);
            node->next = head;
            head = node;
        }
    }
    FreeNode* free_[kLargest / kGrain + 1] = {};
};

NodePool& Pool() {
    static thread_local NodePool pool;
    return pool;
}
#endif

// Every node made with new or by an arena has its arena (or nullptr) in front
// of it; kHeader keeps the node after it aligned.
constexpr std::size_t kHeader = std::max({sizeof(TXMLArena*), alignof(TXMLTag), alignof(TXMLText)});

void* WithArena(void* room, TXMLArena* arena) {
    char* const node = static_cast<char*>(room) + kHeader;
    reinterpret_cast<TXMLArena**>(node)[-1] = arena;
    return node;
}

}  // namespace

void* TXMLBase::operator new(std::size_t size) {
#if BM_XML_NODE_POOL
    if (size + kHeader <= NodePool::kLargest) return WithArena(Pool().Take(size + kHeader), nullptr);
#endif
    return WithArena(::operator new(size + kHeader), nullptr);
}

void TXMLBase::operator delete(void* node, std::size_t size) {
    if (node == nullptr) return;
    // Only a node taken out of its arena's tree is deleted (the tree destroys
    // its arena nodes in place): it gives back its hold on the arena.
    if (TXMLArena* arena = reinterpret_cast<TXMLArena**>(node)[-1]) {
        arena->Release();
        return;
    }
    void* const room = static_cast<char*>(node) - kHeader;
#if BM_XML_NODE_POOL
    if (size + kHeader <= NodePool::kLargest) {
        Pool().Give(room, size + kHeader);
        return;
    }
#else
    (void)size;
#endif
    ::operator delete(room);
}

// ---------------------------------------------------------------- TXMLArena

struct TXMLArena::Block {
    Block* previous;
    std::size_t bytes;
};

namespace {

// Blocks grow with the tree, so that a small file takes little memory and a
// large one few blocks.
constexpr std::size_t kFirstBlock = 16 * 1024, kLargestBlock = 1024 * 1024;

#if BM_XML_NODE_POOL
// Blocks of the largest size that arenas have freed, for the next tree the
// thread reads: the general heap would give them back to the system and take
// them again, and a large file spends more time on fresh pages than on
// reading. Like the node free lists, they stay for the life of the thread.
class SpareBlocks {
public:
    ~SpareBlocks() {
        while (void* block = Take()) ::operator delete(block);
    }
    // The spare blocks are chained through their first bytes.
    void* Take() {
        void* const block = first_;
        if (block != nullptr) first_ = *static_cast<void**>(block);
        return block;
    }
    void Give(void* block) {
        *static_cast<void**>(block) = first_;
        first_ = block;
    }

private:
    void* first_ = nullptr;
};

SpareBlocks& Spares() {
    static thread_local SpareBlocks spares;
    return spares;
}
#endif

}  // namespace

TXMLArena* TXMLArena::Create() { return new TXMLArena(); }

TXMLArena::~TXMLArena() {
    while (blocks_ != nullptr) {
        Block* const block = blocks_;
        blocks_ = block->previous;
#if BM_XML_NODE_POOL
        if (block->bytes == kLargestBlock) {
            Spares().Give(block);
            continue;
        }
#endif
        ::operator delete(block);
    }
}

void TXMLArena::Release() {
    if (--refs_ == 0) delete this;
}

char* TXMLArena::BytesInNewBlock(std::size_t size) {
    nextBlock_ = nextBlock_ == 0 ? kFirstBlock : std::min(2 * nextBlock_, kLargestBlock);
    constexpr std::size_t kFront = (sizeof(Block) + kHeader - 1) / kHeader * kHeader;
    const std::size_t bytes = std::max(nextBlock_, kFront + size);
    void* room = nullptr;
#if BM_XML_NODE_POOL
    if (bytes == kLargestBlock) room = Spares().Take();
#endif
    if (room == nullptr) room = ::operator new(bytes);
    Block* const block = static_cast<Block*>(room);
    block->previous = blocks_;
    block->bytes = bytes;
    blocks_ = block;
    at_ = reinterpret_cast<char*>(block) + kFront;
    end_ = reinterpret_cast<char*>(block) + bytes;
    return Advance(size);
}

void* TXMLArena::NodeRoom(std::size_t size) {
    // The node's header must begin at a multiple of kHeader.
    const std::size_t pad = (kHeader - reinterpret_cast<std::uintptr_t>(at_) % kHeader) % kHeader;
    char* room = size + kHeader + pad <= Left() ? Advance(size + kHeader + pad) + pad : BytesInNewBlock(size + kHeader);
    return WithArena(room, this);
}

TXMLTag* TXMLArena::NewTag(TXMLTag* parent, std::string_view name) {
    return new (NodeRoom(sizeof(TXMLTag))) TXMLTag(parent, name, TXMLTag::InArena{});
}

TXMLText* TXMLArena::NewText(TXMLTag* parent) {
    return new (NodeRoom(sizeof(TXMLText))) TXMLText(parent, std::string_view(), TXMLText::InArena{});
}

// ---------------------------------------------------------------- TXMLItems

TXMLItems::~TXMLItems() { Clear(); }

int TXMLItems::Add(TXMLBase* node) {
    if (node == nullptr) return -1;
    node->next_ = nullptr;
    if (last_ == nullptr) {
        first_ = node;
    } else {
        last_->next_ = node;
    }
    last_ = node;
    if (node->IsTag()) ++tagCount_;
    return count_++;
}

void TXMLItems::AddText(const std::string& text) { Add(new TXMLText(nullptr, text)); }

void TXMLItems::Clear() {
    if (first_ == nullptr) return;
    // The children of each freed element are put in front of the nodes still
    // to be freed, so that no destructor recurses: a file can nest deeply.
    // Arena nodes are only destroyed; the arenas they kept alive are let go at
    // the end, when none of their nodes is still to be walked.
    TXMLBase* work = first_;
    std::vector<TXMLArena*> letGo;
    first_ = last_ = nullptr;
    count_ = tagCount_ = 0;
    itemCursor_ = tagCursor_ = nullptr;
    while (work != nullptr) {
        TXMLBase* node = work;
        work = node->next_;
        if (TXMLTag* tag = node->AsTag()) {
            TXMLItems& children = tag->Items;
            TXMLBase* const only = children.first_;
            if (only != nullptr && only == children.last_ && only->IsText() && only->Arena() != nullptr &&
                !only->holdsArena_) {
                // A leaf of a read tree, the most common element: its text
                // owns nothing and need not be walked.
                children.first_ = children.last_ = nullptr;
                children.count_ = 0;
            } else if (children.last_ != nullptr) {
                children.last_->next_ = work;
                work = children.first_;
                children.first_ = children.last_ = nullptr;
                children.count_ = children.tagCount_ = 0;
            }
        }
        if (TXMLArena* arena = node->Arena()) {
            if (node->holdsArena_) letGo.push_back(arena);
            // An arena text owns nothing: its bytes are the arena's. An arena
            // element is a TXMLTag, nothing derived.
            if (TXMLTag* tag = node->AsTag()) tag->TXMLTag::~TXMLTag();
        } else {
            delete node;
        }
    }
    for (TXMLArena* arena : letGo) arena->Release();
}

TXMLBase* TXMLItems::Item(int i) const {
    if (i < 0 || i >= count_) return nullptr;
    if (itemCursor_ == nullptr || i < itemAt_) {
        itemCursor_ = first_;
        itemAt_ = 0;
    }
    for (; itemAt_ < i; ++itemAt_) itemCursor_ = itemCursor_->next_;
    return itemCursor_;
}

TXMLTag* TXMLItems::Tag(int n) const {
    if (n < 0 || n >= tagCount_) return nullptr;
    if (tagCursor_ == nullptr || n < tagAt_) {
        tagCursor_ = first_;
        while (!tagCursor_->IsTag()) tagCursor_ = tagCursor_->next_;
        tagAt_ = 0;
    }
    for (; tagAt_ < n; ++tagAt_) {
        do tagCursor_ = tagCursor_->next_;
        while (!tagCursor_->IsTag());
    }
    return tagCursor_->AsTag();
}

TXMLTag* TXMLItems::FindTag(const std::string& name) const {
    for (TXMLBase* node = first_; node != nullptr; node = node->next_) {
        if (TXMLTag* tag = node->AsTag()) {
            if (XmlSameName(tag->Name, name)) return tag;
        }
    }
    return nullptr;
}

TXMLBase* TXMLItems::Remove(int i) {
    if (i < 0 || i >= count_) return nullptr;
    TXMLBase* before = i == 0 ? nullptr : Item(i - 1);
    TXMLBase* node = before == nullptr ? first_ : before->next_;
    if (before == nullptr) {
        first_ = node->next_;
    } else {
        before->next_ = node->next_;
    }
    if (last_ == node) last_ = before;
    node->next_ = nullptr;
    --count_;
    if (node->IsTag()) --tagCount_;
    itemCursor_ = tagCursor_ = nullptr;
    TXMLArena* const arena = node->Arena();
    if (arena != nullptr && !node->holdsArena_) {
        arena->AddRef();
        node->holdsArena_ = true;
    }
    return node;
}

// ----------------------------------------------------------- TXMLAttributes

TXMLAttributes::TXMLAttributes(const TXMLAttributes& other)
    : lines_(other.lines_ == nullptr ? nullptr : std::make_unique<std::vector<std::string>>(*other.lines_)) {}

TXMLAttributes& TXMLAttributes::operator=(const TXMLAttributes& other) {
    if (this != &other)
        lines_ = other.lines_ == nullptr ? nullptr : std::make_unique<std::vector<std::string>>(*other.lines_);
    return *this;
}

const std::vector<std::string>& TXMLAttributes::Lines() const {
    static const std::vector<std::string> none;
    return lines_ == nullptr ? none : *lines_;
}

int TXMLAttributes::IndexOfName(const std::string& name) const {
    const std::vector<std::string>& lines = Lines();
    for (size_t i = 0; i < lines.size(); ++i) {
        if (AnsiSameName(NameOfLine(lines[i]), name)) return static_cast<int>(i);
    }
    return -1;
}

void TXMLAttributes::SetValue(const std::string& name, const std::string& value) {
    const std::string stored = WithoutDoubleQuotes(value);
    const int index = IndexOfName(name);
    if (lines_ == nullptr) lines_ = std::make_unique<std::vector<std::string>>();
    if (index < 0) {
        lines_->push_back(name + "=" + stored);
    } else if (!stored.empty()) {
        (*lines_)[static_cast<size_t>(index)] = name + "=" + stored;
    } else {
        lines_->erase(lines_->begin() + index);
    }
}

void TXMLAttributes::ParseText(std::string_view whole) {
    Clear();
    std::string_view text = Trimmed(whole);
    if (text.empty()) return;

    // The same as SetValue for each token in turn, but with a name index, so
    // that a tag with very many attributes still reads in linear time. The
    // names are folded once, in one copy of the text; the index holds, for
    // each folded name, its latest line (1-based; 0 is a free slot). Removed
    // attributes leave a hole until the end.
    const std::string folded = AnsiFolded(text);
    const char* const base = text.data();
    std::vector<std::string> lines;
    std::vector<bool> removed;
    std::vector<std::string_view> keyOf;  // folded name of each line
    // Every attribute is followed by a space but the last: room for all of
    // them at once, so that a tag with a million attributes never moves them.
    const size_t most = static_cast<size_t>(std::count(text.begin(), text.end(), ' ')) + 1;
    lines.reserve(most);
    removed.reserve(most);
    keyOf.reserve(most);
    size_t slotCount = 64;
    while (slotCount < 2 * most) slotCount *= 2;
    std::vector<uint32_t> slots(slotCount, 0);
    size_t names = 0;
    auto hashOf = [](std::string_view key) {
        uint64_t h = 1469598103934665603ull;
        for (const char c : key) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
        return h ^ (h >> 29);
    };
    auto slotOf = [&](std::string_view key) -> uint32_t& {
        const size_t mask = slots.size() - 1;
        size_t i = hashOf(key) & mask;
        while (slots[i] != 0 && keyOf[slots[i] - 1] != key) i = (i + 1) & mask;
        return slots[i];
    };
    while (!text.empty()) {
        const size_t space = text.find(' ');
        const std::string_view token = Trimmed(text.substr(0, space));
        text = space == std::string_view::npos ? std::string_view() : Trimmed(text.substr(space + 1));

        const size_t eq = token.find('=');
        const std::string_view name = Trimmed(token.substr(0, eq));
        std::string_view value = eq == std::string_view::npos ? std::string_view() : Trimmed(token.substr(eq + 1));
        if (!value.empty() && value.front() == '"') value.remove_prefix(1);
        if (!value.empty() && value.back() == '"') value.remove_suffix(1);

        const std::string stored = WithoutDoubleQuotes(value);
        const std::string_view key(folded.data() + (name.data() - base), name.size());
        uint32_t& slot = slotOf(key);
        if (slot == 0 || removed[slot - 1]) {
            const bool newName = slot == 0;
            lines.push_back(std::string(name) + "=" + stored);
            removed.push_back(false);
            keyOf.push_back(key);
            slot = static_cast<uint32_t>(lines.size());
            if (newName && 2 * ++names > slots.size()) {
                std::vector<uint32_t> old(2 * slots.size(), 0);
                old.swap(slots);
                for (const uint32_t line : old)
                    if (line != 0) slotOf(keyOf[line - 1]) = line;
            }
        } else if (!stored.empty()) {
            lines[slot - 1] = std::string(name) + "=" + stored;
        } else {
            removed[slot - 1] = true;
        }
    }
    lines_ = std::make_unique<std::vector<std::string>>();
    lines_->reserve(lines.size());
    for (size_t i = 0; i < lines.size(); ++i)
        if (!removed[i]) lines_->push_back(std::move(lines[i]));
}

std::string TXMLAttributes::AsText() const {
    std::string text;
    for (const std::string& line : Lines()) {
        const std::string_view name = NameOfLine(line);
        text.append(name.data(), name.size());
        text += "=\"";
        if (name.size() < line.size()) text.append(line, name.size() + 1, std::string::npos);
        text += "\" ";
    }
    return text;
}

std::string TXMLAttributes::Name(int i) const {
    if (i < 0 || i >= Count()) return std::string();
    return std::string(NameOfLine(Lines()[static_cast<size_t>(i)]));
}

std::string TXMLAttributes::Value(int i) const {
    if (i < 0 || i >= Count()) return std::string();
    const std::string& line = Lines()[static_cast<size_t>(i)];
    const size_t eq = line.find('=');
    return eq == std::string::npos ? std::string() : line.substr(eq + 1);
}

std::string TXMLAttributes::Values(const std::string& name) const { return Value(IndexOfName(name)); }

// ------------------------------------------------------------------ nodes

TXMLText::TXMLText(TXMLTag* parent, std::string text) : TXMLBase(Kind::Text) {
    if (!text.empty()) {
        own_.reset(new char[text.size()]);
        std::memcpy(own_.get(), text.data(), text.size());
        text_ = std::string_view(own_.get(), text.size());
    }
    if (parent != nullptr) parent->Items.Add(this);
}

TXMLText::TXMLText(TXMLTag* parent, std::string_view text, InArena) : TXMLBase(Kind::Text), text_(text) {
    if (parent != nullptr) parent->Items.Add(this);
}

TXMLTag::TXMLTag(TXMLTag* parent) : TXMLBase(Kind::Tag) {
    if (parent != nullptr) parent->Items.Add(this);
}

// The name is made in place: most are short enough to need no heap block.
TXMLTag::TXMLTag(TXMLTag* parent, std::string_view name, InArena) : TXMLBase(Kind::Tag), Name(name) {
    if (parent != nullptr) parent->Items.Add(this);
}

TXMLTag::TXMLTag(TXMLTag* parent, std::string name) : TXMLBase(Kind::Tag), Name(std::move(name)) {
    if (parent != nullptr) parent->Items.Add(this);
}

TXMLTag::TXMLTag(TXMLTag* parent, std::string name, std::string text) : TXMLBase(Kind::Tag), Name(std::move(name)) {
    if (parent != nullptr) parent->Items.Add(this);
    Items.Add(new TXMLText(nullptr, std::move(text)));
}

std::string TXMLTag::Text() const {
    std::string text;
    for (const TXMLBase* child = Items.First(); child != nullptr; child = child->NextSibling()) {
        if (const TXMLText* node = child->AsText()) text += node->Text();
    }
    return text;
}
