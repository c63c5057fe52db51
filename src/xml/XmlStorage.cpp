#include "xml/XmlStorage.h"

namespace {

// Blocks of the largest size that freed storages leave for the next ones. A
// tree read from a backup file fills many of them; taking fresh memory from
// the system for each reading costs more than the reading itself, as every
// page of it is faulted in and cleared again. Kept up to a bound, for the
// life of the thread.
// Set when the thread's cache is gone, for trees freed after it at the
// thread's end; a plain flag, which outlives every object.
thread_local bool tCacheGone = false;

class BlockCache {
public:
    static constexpr std::size_t kMostBlocks = 32;

    ~BlockCache() {
        for (char* block : blocks_) delete[] block;
        tCacheGone = true;
    }
    char* Take(std::size_t size) {
        if (blocks_.empty()) return new char[size];
        char* block = blocks_.back();
        blocks_.pop_back();
        return block;
    }
    void Give(char* block) {
        if (blocks_.size() >= kMostBlocks) {
            delete[] block;
            return;
        }
        blocks_.push_back(block);
    }

private:
    std::vector<char*> blocks_;
};

BlockCache& Cache() {
    static thread_local BlockCache cache;
    return cache;
}

}  // namespace

XmlStorage::~XmlStorage() {
    for (char* block : blocks_) {
        if (tCacheGone) {
            delete[] block;
        } else {
            Cache().Give(block);
        }
    }
}

void* XmlStorage::TakeFromNewBlock(std::size_t size) {
    // A request larger than a quarter block gets one of its own, and the
    // current block stays in use.
    if (size > blockSize_ / 4) {
        ownBlocks_.push_back(std::unique_ptr<char[]>(new char[size]));
        return ownBlocks_.back().get();
    }
    char* block;
    if (blockSize_ == kLargestBlock) {
        blocks_.reserve(blocks_.size() + 1);
        block = tCacheGone ? new char[blockSize_] : Cache().Take(blockSize_);
        blocks_.push_back(block);
    } else {
        ownBlocks_.push_back(std::unique_ptr<char[]>(new char[blockSize_]));
        block = ownBlocks_.back().get();
    }
    next_ = block + size;
    left_ = blockSize_ - size;
    if (blockSize_ < kLargestBlock) blockSize_ *= 2;
    return block;
}
