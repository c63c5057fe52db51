// Move-only owners of platform handles, so that every early return closes what
// was opened, exactly once.
#pragma once
#include <windows.h>

#include <utility>

template <typename Traits>
class ScopedHandleOf {
public:
    using Handle = typename Traits::Handle;
    ScopedHandleOf() = default;
    explicit ScopedHandleOf(Handle h) : handle_(h) {}
    ~ScopedHandleOf() { reset(); }
    ScopedHandleOf(const ScopedHandleOf&) = delete;
    ScopedHandleOf& operator=(const ScopedHandleOf&) = delete;
    ScopedHandleOf(ScopedHandleOf&& other) noexcept : handle_(std::exchange(other.handle_, Traits::Invalid())) {}
    ScopedHandleOf& operator=(ScopedHandleOf&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, Traits::Invalid());
        }
        return *this;
    }
    Handle get() const { return handle_; }
    Handle* receive() {
        reset();
        return &handle_;
    }
    bool valid() const { return handle_ != Traits::Invalid(); }
    explicit operator bool() const { return valid(); }
    void reset() {
        if (valid()) Traits::Close(handle_);
        handle_ = Traits::Invalid();
    }

private:
    Handle handle_ = Traits::Invalid();
};

struct KeyTraits {
    using Handle = HKEY;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { RegCloseKey(h); }
};
struct FileTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { CloseHandle(h); }
};
struct FindTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { FindClose(h); }
};

using ScopedKey = ScopedHandleOf<KeyTraits>;
using ScopedFile = ScopedHandleOf<FileTraits>;
using ScopedFind = ScopedHandleOf<FindTraits>;
