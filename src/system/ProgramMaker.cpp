#include "system/ProgramMaker.h"

#include <windows.h>

#include <vector>

#include "system/TextCase.h"
#include "system/Utf8.h"

namespace {

std::string StringOf(const std::vector<unsigned char>& data, const wchar_t* block, const wchar_t* name) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(block) + L"\\" + name;
    if (!VerQueryValueW(data.data(), path.c_str(), &value, &length) || !value || length == 0) return std::string();
    std::wstring text(static_cast<const wchar_t*>(value), length);
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    return Utf8FromWide(text);
}

}  // namespace

ProgramMaker ReadProgramMaker(const std::string& file) {
    ProgramMaker maker;
    const std::wstring path = WideFromUtf8(file);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0) return maker;
    std::vector<unsigned char> data(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, data.data())) return maker;
    struct Translation {
        WORD language;
        WORD codePage;
    };
    void* translations = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", &translations, &length) || !translations ||
        length < sizeof(Translation)) {
        return maker;
    }
    const Translation first = *static_cast<const Translation*>(translations);
    wchar_t block[40];
    swprintf(block, 40, L"\\StringFileInfo\\%04x%04x", first.language, first.codePage);
    maker.product = StringOf(data, block, L"ProductName");
    maker.description = StringOf(data, block, L"FileDescription");
    maker.company = StringOf(data, block, L"CompanyName");
    maker.found = !maker.product.empty() || !maker.description.empty() || !maker.company.empty();
    return maker;
}

const ProgramMaker& ProgramMakerCache::Of(const std::string& file) {
    const std::string key = TextKey(file);
    auto found = makers_.find(key);
    if (found == makers_.end()) found = makers_.emplace(key, ReadProgramMaker(file)).first;
    return found->second;
}

std::string ProgramMakerLine(const ProgramMaker& maker) {
    std::string line = maker.product;
    if (!maker.description.empty() && !SameText(maker.description, maker.product)) {
        line += line.empty() ? maker.description : " (" + maker.description + ")";
    }
    if (!maker.company.empty()) line += line.empty() ? maker.company : ", " + maker.company;
    return line;
}
