#include "xml/XmlTree.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace {

unsigned char AsciiLower(unsigned char c) { return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 32) : c; }

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

// The node pool: size classes of 16 bytes up to 256, each a free list carved
// from 64 KiB blocks that are kept for the life of the thread's pool. Sanitizer
// builds use the general heap, so that use after free is still caught.
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
    static constexpr size_t kBlock = 64 * 1024;

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

}  // namespace

void* TXMLBase::operator new(std::size_t size) {
#if BM_XML_NODE_POOL
    if (size <= NodePool::kLargest) return Pool().Take(size);
#endif
    return ::operator new(size);
}

void TXMLBase::operator delete(void* node, std::size_t size) {
    (void)size;
    if (node == nullptr) return;
#if BM_XML_NODE_POOL
    if (size <= NodePool::kLargest) {
        Pool().Give(node, size);
        return;
    }
#endif
    ::operator delete(node);
}

bool XmlSameName(const char* a, std::size_t aLength, const char* b, std::size_t bLength) {
    if (aLength != bLength) return false;
    for (size_t i = 0; i < aLength; ++i) {
        if (AsciiLower(static_cast<unsigned char>(a[i])) != AsciiLower(static_cast<unsigned char>(b[i]))) return false;
    }
    return true;
}

// ---------------------------------------------------------------- TXMLItems

// Child arrays of up to NodePool::kLargest bytes come from the node pool too:
// nearly every entry of a backup file holds four children.
namespace {

TXMLBase** TakeSlots(uint32_t capacity) {
#if BM_XML_NODE_POOL
    if (capacity * sizeof(TXMLBase*) <= NodePool::kLargest)
        return static_cast<TXMLBase**>(Pool().Take(capacity * sizeof(TXMLBase*)));
#endif
    return new TXMLBase*[capacity];
}

void GiveSlots(TXMLBase** slots, uint32_t capacity) {
    (void)capacity;
#if BM_XML_NODE_POOL
    if (capacity * sizeof(TXMLBase*) <= NodePool::kLargest) {
        Pool().Give(slots, capacity * sizeof(TXMLBase*));
        return;
    }
#endif
    delete[] slots;
}

}  // namespace

void TXMLItems::NodeList::Grow() {
    const uint32_t capacity = capacity_ < 4 ? 4 : capacity_ * 2;
    TXMLBase** data = TakeSlots(capacity);
    std::copy(data_, data_ + size_, data);
    if (data_ != &single_) GiveSlots(data_, capacity_);
    data_ = data;
    capacity_ = capacity;
}

void TXMLItems::NodeList::erase(size_t i) {
    std::copy(data_ + i + 1, data_ + size_, data_ + i);
    --size_;
}

void TXMLItems::NodeList::Release() {
    if (data_ != &single_) GiveSlots(data_, capacity_);
    data_ = &single_;
    size_ = 0;
    capacity_ = 1;
}

TXMLItems::~TXMLItems() { Clear(); }

int TXMLItems::Add(TXMLBase* node) {
    if (node == nullptr) return -1;
    nodes_.push_back(node);
    if (node->IsTag()) {
        ++tagCount_;
        if (tagIndex_) tagIndex_->push_back(node->AsTag());
    }
    return static_cast<int>(nodes_.size()) - 1;
}

void TXMLItems::AddText(const std::string& text) { Add(new TXMLText(nullptr, text)); }

void TXMLItems::Clear() {
    // Children are taken out of their parents before they are freed, so that no
    // destructor recurses: a tree read from a hostile file can be a million deep.
    if (nodes_.empty()) return;
    std::vector<TXMLBase*> work(std::make_reverse_iterator(nodes_.end()), std::make_reverse_iterator(nodes_.begin()));
    nodes_.Release();
    tagCount_ = 0;
    tagIndex_.reset();
    while (!work.empty()) {
        TXMLBase* node = work.back();
        work.pop_back();
        if (TXMLTag* tag = node->AsTag()) {
            TXMLItems& children = tag->Items;
            for (size_t i = children.nodes_.size(); i > 0; --i) work.push_back(children.nodes_[i - 1]);
            children.nodes_.Release();
            children.tagCount_ = 0;
            children.tagIndex_.reset();
        }
        delete node;
    }
}

TXMLBase* TXMLItems::Item(int i) const {
    if (i < 0 || i >= Count()) return nullptr;
    return nodes_[static_cast<size_t>(i)];
}

TXMLTag* TXMLItems::Tag(int n) const {
    if (n < 0 || n >= tagCount_) return nullptr;
    if (!tagIndex_) {
        auto index = std::make_unique<std::vector<TXMLTag*>>();
        index->reserve(static_cast<size_t>(tagCount_));
        for (TXMLBase* node : nodes_)
            if (TXMLTag* tag = node->AsTag()) index->push_back(tag);
        tagIndex_ = std::move(index);
    }
    return (*tagIndex_)[static_cast<size_t>(n)];
}

TXMLTag* TXMLItems::FindTag(const std::string& name) const {
    for (TXMLBase* node : nodes_) {
        if (TXMLTag* tag = node->AsTag()) {
            if (XmlSameName(tag->Name, name)) return tag;
        }
    }
    return nullptr;
}

TXMLBase* TXMLItems::Remove(int i) {
    if (i < 0 || i >= Count()) return nullptr;
    TXMLBase* node = nodes_[static_cast<size_t>(i)];
    nodes_.erase(static_cast<size_t>(i));
    if (node->IsTag()) {
        --tagCount_;
        tagIndex_.reset();
    }
    return node;
}

// ----------------------------------------------------------- TXMLAttributes

int TXMLAttributes::IndexOfName(const std::string& name) const {
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (AnsiSameName(NameOfLine(lines_[i]), name)) return static_cast<int>(i);
    }
    return -1;
}

void TXMLAttributes::SetValue(const std::string& name, const std::string& value) {
    const std::string stored = WithoutDoubleQuotes(value);
    const int index = IndexOfName(name);
    if (index < 0) {
        lines_.push_back(name + "=" + stored);
    } else if (!stored.empty()) {
        lines_[static_cast<size_t>(index)] = name + "=" + stored;
    } else {
        lines_.erase(lines_.begin() + index);
    }
}

void TXMLAttributes::ParseText(const std::string& text) { ParseText(text.data(), text.size()); }

void TXMLAttributes::ParseText(const char* data, std::size_t length) {
    Clear();
    std::string_view text = Trimmed(std::string_view(data, length));
    if (text.empty()) return;

    // The same as SetValue for each token in turn, but with a name index, so
    // that a tag with very many attributes still reads in linear time. Removed
    // attributes leave a hole until the end.
    std::vector<std::string> lines;
    std::vector<bool> removed;
    std::unordered_map<std::string, size_t> byName;
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
        std::string key = AnsiFolded(name);
        auto found = byName.find(key);
        if (found == byName.end()) {
            byName.emplace(std::move(key), lines.size());
            lines.push_back(std::string(name) + "=" + stored);
            removed.push_back(false);
        } else if (!stored.empty()) {
            lines[found->second] = std::string(name) + "=" + stored;
        } else {
            removed[found->second] = true;
            byName.erase(found);
        }
    }
    for (size_t i = 0; i < lines.size(); ++i)
        if (!removed[i]) lines_.push_back(std::move(lines[i]));
}

std::string TXMLAttributes::AsText() const {
    std::string text;
    for (size_t i = 0; i < lines_.size(); ++i) {
        const std::string& line = lines_[i];
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
    return std::string(NameOfLine(lines_[static_cast<size_t>(i)]));
}

std::string TXMLAttributes::Value(int i) const {
    if (i < 0 || i >= Count()) return std::string();
    const std::string& line = lines_[static_cast<size_t>(i)];
    const size_t eq = line.find('=');
    return eq == std::string::npos ? std::string() : line.substr(eq + 1);
}

std::string TXMLAttributes::Values(const std::string& name) const { return Value(IndexOfName(name)); }

// ------------------------------------------------------------------ nodes

TXMLText::TXMLText(TXMLTag* parent) {
    if (parent != nullptr) parent->Items.Add(this);
}

TXMLText::TXMLText(TXMLTag* parent, std::string text) : Text(std::move(text)) {
    if (parent != nullptr) parent->Items.Add(this);
}

TXMLTag::TXMLTag(TXMLTag* parent) {
    if (parent != nullptr) parent->Items.Add(this);
}

TXMLTag::TXMLTag(TXMLTag* parent, std::string name) : Name(std::move(name)) {
    if (parent != nullptr) parent->Items.Add(this);
}

TXMLTag::TXMLTag(TXMLTag* parent, std::string name, const std::string& text) : Name(std::move(name)) {
    if (parent != nullptr) parent->Items.Add(this);
    Items.AddText(text);
}

std::string TXMLTag::Text() const {
    std::string text;
    const int count = Items.Count();
    for (int i = 0; i < count; ++i) {
        if (const TXMLText* child = Items.Item(i)->AsText()) text += child->Text;
    }
    return text;
}
