#include "entries/PackageCalls.h"

#include "system/Utf8.h"

namespace {

const PackageCalls* standIn = nullptr;

template <typename Fn>
Fn Exported(const char* name) {
    for (const wchar_t* module : {L"kernelbase.dll", L"kernel32.dll"}) {
        if (HMODULE handle = GetModuleHandleW(module)) {
            if (FARPROC found = GetProcAddress(handle, name))
                return reinterpret_cast<Fn>(reinterpret_cast<void*>(found));
        }
    }
    return nullptr;
}

const PackageCalls& SystemCalls() {
    static const PackageCalls calls = [] {
        PackageCalls loaded;
        loaded.packagesByFamily = Exported<PackageCalls::PackagesByFamilyFn>("GetPackagesByPackageFamily");
        loaded.pathByFullName = Exported<PackageCalls::PathByFullNameFn>("GetPackagePathByFullName");
        loaded.familyFromFullName = Exported<PackageCalls::FamilyFromFullNameFn>("PackageFamilyNameFromFullName");
        return loaded;
    }();
    return calls;
}

// The two calls of one shape: a length in WCHARs, the terminating null
// counted, answered with ERROR_INSUFFICIENT_BUFFER and the length needed when
// the buffer is short. Asked again while the answer grows (a package updated
// in between).
template <typename Fn>
bool CallForText(Fn call, const std::string& argument, std::string& text) {
    if (!call) return false;
    const std::wstring wide = WideFromUtf8(argument);
    UINT32 length = 0;
    LONG status = call(wide.c_str(), &length, nullptr);
    for (int attempt = 0; attempt < 4 && status == ERROR_INSUFFICIENT_BUFFER; ++attempt) {
        if (length == 0) return false;
        std::wstring buffer(length, L'\0');
        status = call(wide.c_str(), &length, &buffer[0]);
        if (status == ERROR_SUCCESS) {
            if (length == 0 || length > buffer.size()) return false;
            buffer.resize(length - 1);
            text = Utf8FromWide(buffer.c_str());
            return !text.empty();
        }
    }
    return false;
}

}  // namespace

const PackageCalls& CurrentPackageCalls() { return standIn ? *standIn : SystemCalls(); }

void SetPackageCallsForTests(const PackageCalls* calls) { standIn = calls; }

std::string PackageFamilyOf(const std::string& fullName) {
    std::string family;
    if (CallForText(CurrentPackageCalls().familyFromFullName, fullName, family)) return family;
    // Five fields; the name and the publisher's id hold no underscore.
    std::vector<std::string> fields(1);
    for (const char c : fullName) {
        if (c == '_') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    if (fields.size() != 5 || fields[0].empty() || fields[4].empty()) return std::string();
    return fields[0] + "_" + fields[4];
}

bool InstalledPackagesOfFamily(const std::string& family, std::vector<std::string>& fullNames) {
    const PackageCalls::PackagesByFamilyFn call = CurrentPackageCalls().packagesByFamily;
    if (!call) return false;
    const std::wstring wide = WideFromUtf8(family);
    UINT32 count = 0;
    UINT32 length = 0;
    LONG status = call(wide.c_str(), &count, nullptr, &length, nullptr);
    if (status == ERROR_SUCCESS && count == 0) {
        fullNames.clear();
        return true;
    }
    for (int attempt = 0; attempt < 4 && status == ERROR_INSUFFICIENT_BUFFER; ++attempt) {
        if (count == 0 || length == 0) return false;
        std::vector<PWSTR> names(count, nullptr);
        std::wstring buffer(length, L'\0');
        status = call(wide.c_str(), &count, names.data(), &length, &buffer[0]);
        if (status != ERROR_SUCCESS) continue;
        if (count > names.size()) return false;
        fullNames.clear();
        const wchar_t* const begin = buffer.data();
        const wchar_t* const end = begin + buffer.size();
        for (UINT32 i = 0; i < count; ++i) {
            // Each pointer lies in the buffer given; anything else is not read.
            if (names[i] < begin || names[i] >= end) return false;
            const std::wstring_view name(names[i], wcsnlen(names[i], static_cast<size_t>(end - names[i])));
            fullNames.push_back(Utf8FromWide(name));
        }
        return true;
    }
    return false;
}

bool InstalledPackageFolder(const std::string& fullName, std::string& folder) {
    return CallForText(CurrentPackageCalls().pathByFullName, fullName, folder);
}
