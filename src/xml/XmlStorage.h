// What the reader keeps for the texts it read into one element: the buffers
// the texts were read from, and one growing area for the nodes and decoded
// texts made from them. Names and texts of those nodes refer into it, so the
// element that owns it is freed after everything it holds. Internal to the
// XML component.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "xml/XmlTree.h"

class XmlStorage {
public:
    XmlStorage() = default;
    ~XmlStorage();
    XmlStorage(const XmlStorage&) = delete;
    XmlStorage& operator=(const XmlStorage&) = delete;

    // Keeps the buffer for the storage's life; answers its first byte, which
    // stays where it is.
    char* Keep(std::unique_ptr<char[]> bytes) {
        buffers_.push_back(std::move(bytes));
        return buffers_.back().get();
    }
    char* Keep(std::string&& bytes) {
        strings_.push_back(std::make_unique<std::string>(std::move(bytes)));
        return &(*strings_.back())[0];
    }

    // Room for a node: `size` bytes aligned for any node, freed with the storage.
    void* TakeNode(std::size_t size) {
        const std::size_t skip = static_cast<std::size_t>(-reinterpret_cast<std::uintptr_t>(next_)) & (kAlign - 1);
        if (skip + size > left_) return TakeFromNewBlock(size);
        void* at = next_ + skip;
        next_ += skip + size;
        left_ -= skip + size;
        return at;
    }
    // Room for `size` bytes of text; the part after the first `used` bytes
    // goes back with ReturnUnusedBytes before anything else is taken.
    char* TakeBytes(std::size_t size) {
        if (size > left_) return static_cast<char*>(TakeFromNewBlock(size));
        char* at = next_;
        next_ += size;
        left_ -= size;
        return at;
    }
    void ReturnUnusedBytes(char* taken, std::size_t size, std::size_t used) {
        if (taken + size != next_) return;  // taken from a block of its own
        next_ -= size - used;
        left_ += size - used;
    }

private:
    static constexpr std::size_t kAlign = alignof(std::max_align_t) < 8 ? 8 : alignof(std::max_align_t);
    static constexpr std::size_t kFirstBlock = 64 * 1024;
    static constexpr std::size_t kLargestBlock = 1024 * 1024;

    void* TakeFromNewBlock(std::size_t size);

    std::vector<std::unique_ptr<char[]>> buffers_;
    std::vector<std::unique_ptr<std::string>> strings_;
    // Blocks of the largest size are kept for the next storage when it goes
    // (see XmlStorage.cpp); the others are freed.
    std::vector<char*> blocks_;
    std::vector<std::unique_ptr<char[]>> ownBlocks_;
    char* next_ = nullptr;
    std::size_t left_ = 0;
    std::size_t blockSize_ = kFirstBlock;
};

// Makes the reader's nodes in the storage of the element it reads into; their
// names and texts refer to bytes the storage keeps.
class XmlNodeMaker {
public:
    explicit XmlNodeMaker(XmlStorage& storage) : storage_(storage) {}

    TXMLTag* Tag(TXMLTag* parent, const char* name, std::size_t size) {
        return new (storage_.TakeNode(sizeof(TXMLTag))) TXMLTag(parent, name, size);
    }
    TXMLText* Text(TXMLTag* parent, const char* text, std::size_t size) {
        TXMLText* node = new (storage_.TakeNode(sizeof(TXMLText))) TXMLText(parent);
        node->inStorage_ = true;
        node->Text.Refer(text, size);
        return node;
    }
    XmlStorage& Storage() { return storage_; }

private:
    XmlStorage& storage_;
};

inline TXMLTag::TXMLTag(TXMLTag* parent, const char* name, std::size_t size) : TXMLBase(Kind::Tag) {
    inStorage_ = true;
    Name.Refer(name, size);
    if (parent != nullptr) parent->Items.Add(this);
}
