// The node tree of the program's own XML component: elements with an ordered
// attribute list and an ordered child list, and text nodes.
//
// Ownership follows the parent: a node created with a parent is appended to the
// parent's Items at once and is freed with it, so such a node must be created
// with `new`. A node created without a parent belongs to its creator (a stack
// object or a unique_ptr is fine for a document root). Freeing a tree never
// recurses, so trees of any depth can be freed.
//
// The nodes and texts of a read tree live in an arena (TXMLArena) instead of
// one heap block each: the arena is freed at once when the last node taken from
// it is gone. Such nodes behave as any other: a node taken out with Remove keeps
// the arena alive until it is deleted.
#pragma once
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TXMLArena;
class TXMLTag;
class TXMLText;

// Common base of the two node kinds; code that walks a tree tells them apart
// with AsTag/AsText.
class TXMLBase {
public:
    TXMLBase(const TXMLBase&) = delete;
    TXMLBase& operator=(const TXMLBase&) = delete;
    virtual ~TXMLBase() = default;

    // Nodes come from free lists of their own (XmlTree.cpp): a backup file
    // makes hundreds of thousands of them, and the general heap would spend
    // more time on them than the reading itself.
    static void* operator new(std::size_t size);
    static void operator delete(void* node, std::size_t size);
    // Construction in memory of an arena (TXMLArena).
    static void* operator new(std::size_t, void* where) noexcept { return where; }
    static void operator delete(void*, void*) noexcept {}

    inline TXMLTag* AsTag();
    inline const TXMLTag* AsTag() const;
    inline TXMLText* AsText();
    inline const TXMLText* AsText() const;
    bool IsTag() const { return kind_ == Kind::Tag; }
    bool IsText() const { return kind_ == Kind::Text; }

    // The next child of the same parent, or nullptr after the last one.
    TXMLBase* NextSibling() const { return next_; }

private:
    friend class TXMLTag;
    friend class TXMLText;
    friend class TXMLItems;
    friend class TXMLArena;
    enum class Kind : unsigned char { Tag, Text };
    explicit TXMLBase(Kind kind) : kind_(kind) {}
    // The arena the node was made in, nullptr for a node from the heap. It
    // stands in front of the node, where it outlives the node's destructor
    // (operator delete reads it); so only nodes made with new or by an arena
    // have it.
    TXMLArena* Arena() const { return reinterpret_cast<TXMLArena* const*>(this)[-1]; }
    const Kind kind_;
    // The node keeps its arena alive: it was taken out of the tree of its
    // arena, or is the top of a read tree.
    bool holdsArena_ = false;
    TXMLBase* next_ = nullptr;
};

// The ordered child list of one element. It owns its children: Clear and the
// destructor free them all; only Remove hands one out without freeing it.
class TXMLItems {
public:
    TXMLItems() = default;
    TXMLItems(const TXMLItems&) = delete;
    TXMLItems& operator=(const TXMLItems&) = delete;
    ~TXMLItems();

    // Appends the node and takes it over; answers its 0-based position. The
    // node must not be in another list.
    int Add(TXMLBase* node);
    // Appends a new text node holding the text.
    void AddText(const std::string& text);
    // Frees and removes every child.
    void Clear();
    // Children of both kinds.
    int Count() const { return count_; }
    // Child at 0-based position i of either kind (nullptr outside the list).
    // Walking the positions in order costs one step each.
    TXMLBase* Item(int i) const;
    // The first child, then NextSibling.
    TXMLBase* First() const { return first_; }
    // Element children only.
    int TagCount() const { return tagCount_; }
    // The n-th element child (counting element children only), or nullptr.
    // Walking them in order costs one step each.
    TXMLTag* Tag(int n) const;
    // The first element child whose Name equals name, the letters A to Z
    // compared without regard to case and every other byte exactly; or nullptr.
    TXMLTag* FindTag(const std::string& name) const;
    // Takes the child at position i out of the list; the caller owns it from
    // now on. nullptr outside the list.
    [[nodiscard]] TXMLBase* Remove(int i);

private:
    // The children chained through their NextSibling: most elements of a
    // backup file hold one to four, and a chain costs no allocation.
    TXMLBase* first_ = nullptr;
    TXMLBase* last_ = nullptr;
    int count_ = 0;
    int tagCount_ = 0;
    // Where Item() and Tag() answered last, so that walking in order is
    // linear (a snapshot holds a thousand entries).
    mutable TXMLBase* itemCursor_ = nullptr;
    mutable TXMLBase* tagCursor_ = nullptr;
    mutable int itemAt_ = 0;
    mutable int tagAt_ = 0;
};

// The ordered attribute list of one element, held as lines "name=value" in
// insertion order. The name of a line is the part before its first "=", the
// value the part after it. Names compare without regard to case (Windows-1252
// letters), and there is at most one line per name.
class TXMLAttributes {
public:
    TXMLAttributes() = default;
    TXMLAttributes(const TXMLAttributes& other);
    TXMLAttributes& operator=(const TXMLAttributes& other);

    void Clear() { lines_.reset(); }
    // Double quotes in the value become apostrophes. A new name is appended,
    // also with an empty value; for an existing name a non-empty value replaces
    // the line (name spelled as given now) and an empty value removes it.
    void SetValue(const std::string& name, const std::string& value);
    // Replaces all attributes by those read from the attribute part of a start
    // tag: space-separated tokens name=value, double quotes around the value
    // dropped. A value therefore cannot hold a space.
    void ParseText(std::string_view text);
    // Each attribute as name="value" followed by one space; empty without attributes.
    std::string AsText() const;

    int Count() const { return lines_ == nullptr ? 0 : static_cast<int>(lines_->size()); }
    // Name and value of the attribute at 0-based position i.
    std::string Name(int i) const;
    std::string Value(int i) const;
    // Value of the named attribute, or empty text when there is none.
    std::string Values(const std::string& name) const;
    // Position of the named attribute, or -1.
    int IndexOfName(const std::string& name) const;
    // The lines as held, "name=value" each.
    const std::vector<std::string>& Lines() const;

private:
    // Made with the first attribute: most elements have none, and a read
    // tree has hundreds of thousands of them.
    std::unique_ptr<std::vector<std::string>> lines_;
};

// A text node; its text is held decoded.
class TXMLText : public TXMLBase {
public:
    // Appended to the parent at once when one is given (then create it with new).
    explicit TXMLText(TXMLTag* parent, std::string text = std::string());

    std::string_view Text() const { return text_; }

private:
    friend class TXMLArena;
    struct InArena {};
    // A text whose bytes the arena holds.
    TXMLText(TXMLTag* parent, std::string_view text, InArena);

    std::unique_ptr<char[]> own_;  // the bytes of a text made by the program
    std::string_view text_;
};

// An element. Destroying it destroys its attributes and its whole subtree.
class TXMLTag : public TXMLBase {
public:
    // An element with an empty name, appended to the parent when one is given.
    explicit TXMLTag(TXMLTag* parent = nullptr);
    TXMLTag(TXMLTag* parent, std::string name);
    // The same, with one text child holding the text, also when it is empty.
    TXMLTag(TXMLTag* parent, std::string name, std::string text);

    // The Text of the direct text children joined in child order; element
    // children contribute nothing.
    std::string Text() const;

    TXMLAttributes Attributes;
    TXMLItems Items;
    std::string Name;

private:
    friend class TXMLArena;
    struct InArena {};
    TXMLTag(TXMLTag* parent, std::string_view name, InArena);
};

inline TXMLTag* TXMLBase::AsTag() { return IsTag() ? static_cast<TXMLTag*>(this) : nullptr; }
inline const TXMLTag* TXMLBase::AsTag() const { return IsTag() ? static_cast<const TXMLTag*>(this) : nullptr; }
inline TXMLText* TXMLBase::AsText() { return IsText() ? static_cast<TXMLText*>(this) : nullptr; }
inline const TXMLText* TXMLBase::AsText() const { return IsText() ? static_cast<const TXMLText*>(this) : nullptr; }

// The memory of a read tree: its nodes and texts, cut from a few large blocks
// that are freed together when the last node that keeps the arena alive is
// freed. Not for use by two threads at once.
class TXMLArena {
public:
    // A new arena, kept alive by its creator until the creator's Release.
    static TXMLArena* Create();
    void AddRef() { ++refs_; }
    void Release();

    // An element or (empty) text node appended to parent, made in the arena.
    TXMLTag* NewTag(TXMLTag* parent, std::string_view name);
    TXMLText* NewText(TXMLTag* parent);
    // The text of a text node made in the arena: bytes the arena holds.
    static void SetText(TXMLText* node, std::string_view text) { node->text_ = text; }
    // Room for `size` bytes of a text. Trim gives back what lies after the
    // end of the last room taken.
    char* Bytes(std::size_t size) { return size <= Left() ? Advance(size) : BytesInNewBlock(size); }
    void Trim(char* end) { at_ = end; }

    TXMLArena(const TXMLArena&) = delete;
    TXMLArena& operator=(const TXMLArena&) = delete;

private:
    TXMLArena() = default;
    ~TXMLArena();
    std::size_t Left() const { return static_cast<std::size_t>(end_ - at_); }
    char* Advance(std::size_t size) {
        char* const taken = at_;
        at_ += size;
        return taken;
    }
    char* BytesInNewBlock(std::size_t size);
    // Room for a node of `size` bytes with the arena in front of it.
    void* NodeRoom(std::size_t size);

    struct Block;
    Block* blocks_ = nullptr;
    char* at_ = nullptr;
    char* end_ = nullptr;
    std::size_t nextBlock_ = 0;
    long refs_ = 1;
};

// Element-name comparison of the tree and the reader: A to Z match a to z,
// every other byte must be equal. Inline, as the reader compares every end tag.
inline bool XmlSameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    // Names are short, and mostly spelled alike (the end tag as the writer
    // wrote it): a byte at a time, folding only where they differ.
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && lower(a[i]) != lower(b[i])) return false;
    return true;
}
