// The node tree of the program's own XML component: elements with an ordered
// attribute list and an ordered child list, and text nodes.
//
// Ownership follows the parent: a node created with a parent is appended to the
// parent's Items at once and is freed with it, so such a node must be created
// with `new`. A node created without a parent belongs to its creator (a stack
// object or a unique_ptr is fine for a document root). Freeing a tree never
// recurses, so trees of any depth can be freed.
//
// The nodes the reader makes live in storage kept by the element it read into
// (see XmlStorage.h); they are freed with that element, and Remove hands out a
// copy of one of its own.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "xml/XmlString.h"

class TXMLTag;
class TXMLText;
class XmlStorage;

// Common base of the two node kinds; code that walks a tree tells them apart
// with AsTag/AsText.
class TXMLBase {
public:
    TXMLBase(const TXMLBase&) = delete;
    TXMLBase& operator=(const TXMLBase&) = delete;
    virtual ~TXMLBase() = default;

    // Nodes made with `new` come from a pool of their own: a backup file
    // written makes hundreds of thousands of them, and the general heap spends
    // more time on them than the writing itself. Freed nodes are kept for the
    // next tree.
    static void* operator new(std::size_t size);
    static void operator delete(void* node, std::size_t size);
    // Nodes the reader places in its storage.
    static void* operator new(std::size_t, void* at) noexcept { return at; }
    static void operator delete(void*, void*) noexcept {}

    // Told apart by a kind byte rather than virtual calls: the reader and the
    // freeing of a tree ask every node.
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
    friend class XmlNodeMaker;
    enum class Kind : unsigned char { Tag, Text };
    explicit TXMLBase(Kind kind) : kind_(kind) {}
    // True when destroying the node would free nothing: its children taken
    // over, its texts and lists in the reader's storage or in place.
    bool HoldsNothingElsewhere() const;
    const Kind kind_;
    // Placed in a reader's storage rather than made with `new`.
    bool inStorage_ = false;
    TXMLBase* next_ = nullptr;
};

// The ordered child list of one element. It owns its children: Clear and the
// destructor free them all; only Remove hands one out without freeing it.
class TXMLItems {
    friend class TXMLBase;

public:
    TXMLItems() = default;
    TXMLItems(const TXMLItems&) = delete;
    TXMLItems& operator=(const TXMLItems&) = delete;
    ~TXMLItems();

    // Appends the node and takes it over; answers its 0-based position. The
    // node must not be in another list.
    inline int Add(TXMLBase* node);
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
    TXMLTag* Tag(int n) const;
    // The first element child whose Name equals name, the letters A to Z
    // compared without regard to case and every other byte exactly; or nullptr.
    TXMLTag* FindTag(const std::string& name) const;
    // Takes the child at position i out of the list; the caller owns it from
    // now on. A node the reader placed in its storage is handed out as a copy
    // made with `new`, and the original is freed. nullptr outside the list.
    [[nodiscard]] TXMLBase* Remove(int i);

private:
    friend class TXMLParser;
    // Frees the children from the position on.
    void ClearFrom(int position);

    // The children are chained through their NextSibling: most elements of a
    // backup file hold one to four, and a chain costs no allocation.
    TXMLBase* first_ = nullptr;
    TXMLBase* last_ = nullptr;
    int count_ = 0;
    int tagCount_ = 0;
    // The position Item() answered last, so that walking in order is linear.
    mutable TXMLBase* cursor_ = nullptr;
    mutable int cursorAt_ = 0;
    // The element children in order, built by the first Tag() call after a
    // change. Held apart so that an element stays small: a backup file holds
    // hundreds of thousands of them.
    mutable std::unique_ptr<std::vector<TXMLTag*>> tagIndex_;
};

// The ordered attribute list of one element, held as lines "name=value" in
// insertion order. The name of a line is the part before its first "=", the
// value the part after it. Names compare without regard to case (Windows-1252
// letters), and there is at most one line per name.
class TXMLAttributes {
public:
    void Clear() { lines_.clear(); }
    // Double quotes in the value become apostrophes. A new name is appended,
    // also with an empty value; for an existing name a non-empty value replaces
    // the line (name spelled as given now) and an empty value removes it.
    void SetValue(const std::string& name, const std::string& value);
    // Replaces all attributes by those read from the attribute part of a start
    // tag: space-separated tokens name=value, double quotes around the value
    // dropped. A value therefore cannot hold a space.
    void ParseText(const std::string& text);
    // Each attribute as name="value" followed by one space; empty without attributes.
    std::string AsText() const;

    int Count() const { return static_cast<int>(lines_.size()); }
    // Name and value of the attribute at 0-based position i.
    std::string Name(int i) const;
    std::string Value(int i) const;
    // Value of the named attribute, or empty text when there is none.
    std::string Values(const std::string& name) const;
    // Position of the named attribute, or -1.
    int IndexOfName(const std::string& name) const;
    // The lines as held, "name=value" each.
    const std::vector<std::string>& Lines() const { return lines_; }

    // Reader's fast path: the same as ParseText on a piece of a larger buffer.
    void ParseText(const char* text, std::size_t length);

private:
    std::vector<std::string> lines_;
};

// A text node; Text is held decoded.
class TXMLText : public TXMLBase {
public:
    // Appended to the parent at once when one is given (then create it with new).
    inline explicit TXMLText(TXMLTag* parent);
    TXMLText(TXMLTag* parent, std::string_view text);

    XmlString Text;
};

// An element. Destroying it destroys its attributes and its whole subtree.
class TXMLTag : public TXMLBase {
public:
    // An element with an empty name, appended to the parent when one is given.
    explicit TXMLTag(TXMLTag* parent = nullptr);
    TXMLTag(TXMLTag* parent, std::string_view name);
    // The same, with one text child holding the text, also when it is empty.
    TXMLTag(TXMLTag* parent, std::string_view name, std::string_view text);
    ~TXMLTag() override;

    // The Text of the direct text children joined in child order; element
    // children contribute nothing.
    std::string Text() const;

private:
    friend class TXMLBase;
    friend class TXMLItems;
    friend class TXMLParser;
    friend class XmlNodeMaker;
    // The reader's element, placed in its storage; defined with the storage.
    inline TXMLTag(TXMLTag* parent, const char* name, std::size_t size);
    // The reader's storage for texts read into this element, made on first use.
    XmlStorage& Storage();
    // What the reader kept for texts read into this element. Declared before
    // the children, so that it is freed after them.
    std::unique_ptr<XmlStorage> storage_;

public:
    TXMLAttributes Attributes;
    TXMLItems Items;
    XmlString Name;
};

// Inline: the reader appends every node it makes.
inline int TXMLItems::Add(TXMLBase* node) {
    if (node == nullptr) return -1;
    node->next_ = nullptr;
    if (last_ == nullptr) {
        first_ = node;
    } else {
        last_->next_ = node;
    }
    last_ = node;
    if (node->IsTag()) {
        ++tagCount_;
        if (tagIndex_) tagIndex_->push_back(static_cast<TXMLTag*>(node));
    }
    return count_++;
}

inline TXMLText::TXMLText(TXMLTag* parent) : TXMLBase(Kind::Text) {
    if (parent != nullptr) parent->Items.Add(this);
}

inline TXMLTag* TXMLBase::AsTag() { return IsTag() ? static_cast<TXMLTag*>(this) : nullptr; }
inline const TXMLTag* TXMLBase::AsTag() const { return IsTag() ? static_cast<const TXMLTag*>(this) : nullptr; }
inline TXMLText* TXMLBase::AsText() { return IsText() ? static_cast<TXMLText*>(this) : nullptr; }
inline const TXMLText* TXMLBase::AsText() const { return IsText() ? static_cast<const TXMLText*>(this) : nullptr; }

// Element-name comparison of the tree and the reader: A to Z match a to z,
// every other byte must be equal.
bool XmlSameName(const char* a, std::size_t aLength, const char* b, std::size_t bLength);
inline bool XmlSameName(const std::string& a, const std::string& b) {
    return XmlSameName(a.data(), a.size(), b.data(), b.size());
}
