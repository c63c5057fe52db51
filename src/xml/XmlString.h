// The byte string of a node's name or text. A tree read from a file holds
// hundreds of thousands of them; those the reader makes refer to bytes kept by
// the element the text was read into, so reading allocates nothing per string
// and freeing the tree frees nothing per string. A string assigned later holds
// its own copy: short ones in place, longer ones on the heap.
#pragma once
#include <cstddef>
#include <cstring>
#include <iosfwd>
#include <string>
#include <string_view>

class XmlString {
public:
    XmlString() noexcept {}
    XmlString(std::string_view text) { Assign(text); }
    XmlString(const std::string& text) { Assign(text); }
    XmlString(const char* text) { Assign(text); }
    XmlString(const XmlString& other) { Assign(other.View()); }
    XmlString& operator=(const XmlString& other) {
        if (this != &other) Assign(other.View());
        return *this;
    }
    XmlString& operator=(std::string_view text) {
        Assign(text);
        return *this;
    }
    XmlString& operator=(const std::string& text) { return *this = std::string_view(text); }
    XmlString& operator=(const char* text) { return *this = std::string_view(text); }
    ~XmlString() { Release(); }

    const char* data() const { return data_; }
    std::size_t size() const { return size_; }
    std::size_t length() const { return size_; }
    bool empty() const { return size_ == 0; }
    const char* begin() const { return data_; }
    const char* end() const { return data_ + size_; }
    char operator[](std::size_t i) const { return data_[i]; }

    // Holds its bytes on the heap (and frees them when it goes).
    bool OnHeap() const { return onHeap_; }

    std::string_view View() const { return std::string_view(data_, size_); }
    std::string str() const { return std::string(data_, size_); }
    operator std::string_view() const { return View(); }
    operator std::string() const { return str(); }

    // Points at bytes held elsewhere, which must outlive this string and stay
    // unchanged. For the reader, whose element keeps the bytes.
    void Refer(const char* data, std::size_t size) {
        Release();
        data_ = data;
        size_ = size;
    }

private:
    void Assign(std::string_view text);
    void Release() {
        if (onHeap_) delete[] data_;
        onHeap_ = false;
        data_ = inPlace_;
        size_ = 0;
    }

    static constexpr std::size_t kInPlace = 15;
    const char* data_ = inPlace_;
    std::size_t size_ = 0;
    bool onHeap_ = false;
    char inPlace_[kInPlace];
};

inline bool operator==(const XmlString& a, const XmlString& b) { return a.View() == b.View(); }
inline bool operator==(const XmlString& a, std::string_view b) { return a.View() == b; }
inline bool operator==(std::string_view a, const XmlString& b) { return a == b.View(); }
inline bool operator==(const XmlString& a, const std::string& b) { return a.View() == std::string_view(b); }
inline bool operator==(const std::string& a, const XmlString& b) { return std::string_view(a) == b.View(); }
inline bool operator==(const XmlString& a, const char* b) { return a.View() == std::string_view(b); }
inline bool operator==(const char* a, const XmlString& b) { return std::string_view(a) == b.View(); }
template <typename T>
bool operator!=(const XmlString& a, const T& b) {
    return !(a == b);
}
template <typename T>
bool operator!=(const T& a, const XmlString& b) {
    return !(a == b);
}
inline bool operator!=(const XmlString& a, const XmlString& b) { return !(a == b); }

std::string operator+(const XmlString& a, const XmlString& b);
std::string operator+(const XmlString& a, std::string_view b);
std::string operator+(std::string_view a, const XmlString& b);
inline std::string operator+(const XmlString& a, const char* b) { return a + std::string_view(b); }
inline std::string operator+(const char* a, const XmlString& b) { return std::string_view(a) + b; }
inline std::string operator+(const XmlString& a, const std::string& b) { return a + std::string_view(b); }
inline std::string operator+(const std::string& a, const XmlString& b) { return std::string_view(a) + b; }
inline std::string& operator+=(std::string& a, const XmlString& b) { return a.append(b.data(), b.size()); }

std::ostream& operator<<(std::ostream& out, const XmlString& text);
