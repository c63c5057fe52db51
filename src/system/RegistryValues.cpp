#include "system/RegistryValues.h"

#include <algorithm>
#include <cstring>

#include "system/Scoped.h"
#include "system/Utf8.h"

namespace {

RegistryWriteDenial g_registryWriteDenial = nullptr;

std::string WithoutLeadingBackslash(const std::string& keyPath) {
    return (!keyPath.empty() && keyPath[0] == '\\') ? keyPath.substr(1) : keyPath;
}

std::wstring WideKeyPath(const std::string& keyPath) { return WideFromUtf8(WithoutLeadingBackslash(keyPath)); }

bool WriteDenied(HKEY root, const std::string& keyPath) {
    return g_registryWriteDenial && g_registryWriteDenial(root, WithoutLeadingBackslash(keyPath));
}

// A string value's UTF-16 text up to the first NUL; registry data need not be
// terminated, and an odd last byte is no character.
std::string StringFromRegBytes(const std::string& bytes) {
    std::wstring wide(bytes.size() / sizeof(wchar_t), L'\0');
    if (!wide.empty()) memcpy(&wide[0], bytes.data(), wide.size() * sizeof(wchar_t));
    const size_t nul = wide.find(L'\0');
    if (nul != std::wstring::npos) wide.resize(nul);
    return Utf8FromWide(wide);
}

std::string StringFromRegData(const std::vector<char>& data, DWORD size) {
    return StringFromRegBytes(std::string(data.data(), data.data() + std::min<size_t>(size, data.size())));
}

// The text as REG_SZ data: UTF-16 with its NUL.
std::wstring RegDataOfText(const std::string& text) { return WideFromUtf8(text); }

// Every value of a key in the registry's order; visit(name, type, data, size).
// A key that cannot be opened has none.
template <typename Visit>
void ForEachValue(HKEY root, const std::string& keyPath, REGSAM view, Visit visit) {
    ScopedKey key;
    if (RegOpenKeyExW(root, WideKeyPath(keyPath).c_str(), 0, KEY_QUERY_VALUE | view, key.receive()) != ERROR_SUCCESS) {
        return;
    }
    DWORD count = 0, maxName = 0, maxData = 0;
    if (RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &maxName, &maxData,
                         nullptr, nullptr) != ERROR_SUCCESS) {
        return;
    }
    std::vector<wchar_t> name(maxName + 2);
    std::vector<char> data(maxData + 2);
    for (DWORD index = 0;; ++index) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD dataSize = static_cast<DWORD>(data.size());
        DWORD type = 0;
        const LONG status = RegEnumValueW(key.get(), index, name.data(), &nameLength, nullptr, &type,
                                          reinterpret_cast<BYTE*>(data.data()), &dataSize);
        if (status == ERROR_MORE_DATA) {
            // The key grew since it was measured: make room and read this index again.
            name.resize(name.size() * 2 + 256);
            data.resize(std::max<size_t>(data.size() * 2, dataSize + 2));
            --index;
            continue;
        }
        if (status != ERROR_SUCCESS) break;
        // The name's units as they are, lone surrogates too: WTF-8 keeps them.
        const size_t nameChars = std::min<size_t>(nameLength, name.size());
        visit(Utf8FromWide(std::wstring_view(name.data(), nameChars)), type, data, dataSize);
    }
}

}  // namespace

std::string ReadRegString(HKEY root, const std::string& keyPath, const std::string& valueName, REGSAM view) {
    const RegistryValue value = ReadRegValue(root, keyPath, valueName, view);
    return value.IsString() ? value.text : std::string();
}

std::vector<std::pair<std::string, std::string>> ReadRegStringValues(HKEY root, const std::string& keyPath,
                                                                     REGSAM view) {
    std::vector<std::pair<std::string, std::string>> values;
    ForEachValue(root, keyPath, view, [&](std::string name, DWORD type, const std::vector<char>& data, DWORD size) {
        const bool isString = type == REG_SZ || type == REG_EXPAND_SZ;
        values.emplace_back(std::move(name), isString ? StringFromRegData(data, size) : std::string());
    });
    return values;
}

std::vector<NamedRegistryValue> ReadRegValues(HKEY root, const std::string& keyPath, REGSAM view) {
    std::vector<NamedRegistryValue> values;
    ForEachValue(root, keyPath, view, [&](std::string name, DWORD type, const std::vector<char>& data, DWORD size) {
        NamedRegistryValue named;
        named.name = std::move(name);
        named.value.exists = true;
        named.value.type = type;
        if (named.value.IsString()) named.value.text = StringFromRegData(data, size);
        values.push_back(std::move(named));
    });
    return values;
}

RegistryValue ReadRegValue(HKEY root, const std::string& keyPath, const std::string& valueName, REGSAM view) {
    RegistryValue value;
    RawRegistryValue raw;
    if (!ReadRegRawValue(root, keyPath, valueName, raw, view)) return value;
    value.exists = true;
    value.type = raw.type;
    if (value.IsString()) value.text = StringFromRegBytes(raw.bytes);
    return value;
}

WriteOutcome WriteRegString(HKEY root, const std::string& keyPath, const std::string& valueName,
                            const std::string& text) {
    return WriteRegText(root, keyPath, valueName, text, REG_SZ);
}

WriteOutcome WriteRegText(HKEY root, const std::string& keyPath, const std::string& valueName, const std::string& text,
                          DWORD type, REGSAM view) {
    if (WriteDenied(root, keyPath)) return WriteOutcome::Denied();
    ScopedKey key;
    const LONG created = RegCreateKeyExW(root, WideKeyPath(keyPath).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                         KEY_SET_VALUE | view, nullptr, key.receive(), nullptr);
    if (created != ERROR_SUCCESS) return WriteOutcomeOfError(static_cast<DWORD>(created));
    const std::wstring data = RegDataOfText(text);
    return WriteOutcomeOfError(static_cast<DWORD>(
        RegSetValueExW(key.get(), WideFromUtf8(valueName).c_str(), 0, type, reinterpret_cast<const BYTE*>(data.c_str()),
                       static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)))));
}

WriteOutcome DeleteRegValue(HKEY root, const std::string& keyPath, const std::string& valueName, REGSAM view) {
    if (WriteDenied(root, keyPath)) return WriteOutcome::Denied();
    ScopedKey key;
    const LONG opened = RegOpenKeyExW(root, WideKeyPath(keyPath).c_str(), 0, KEY_SET_VALUE | view, key.receive());
    if (opened == ERROR_FILE_NOT_FOUND) return WriteOutcome::Done();  // No key, no value.
    if (opened != ERROR_SUCCESS) return WriteOutcomeOfError(static_cast<DWORD>(opened));
    const LONG status = RegDeleteValueW(key.get(), WideFromUtf8(valueName).c_str());
    return status == ERROR_FILE_NOT_FOUND ? WriteOutcome::Done() : WriteOutcomeOfError(static_cast<DWORD>(status));
}

std::vector<RawRegistryValue> ReadRegRawValues(HKEY root, const std::string& keyPath, REGSAM view) {
    std::vector<RawRegistryValue> values;
    ForEachValue(root, keyPath, view, [&](std::string name, DWORD type, const std::vector<char>& data, DWORD size) {
        RawRegistryValue value;
        value.name = std::move(name);
        value.type = type;
        value.bytes.assign(data.data(), std::min<size_t>(size, data.size()));
        values.push_back(std::move(value));
    });
    return values;
}

bool ReadRegRawValue(HKEY root, const std::string& keyPath, const std::string& valueName, RawRegistryValue& value,
                     REGSAM view) {
    ScopedKey key;
    if (RegOpenKeyExW(root, WideKeyPath(keyPath).c_str(), 0, KEY_QUERY_VALUE | view, key.receive()) != ERROR_SUCCESS) {
        return false;
    }
    const std::wstring wideName = WideFromUtf8(valueName);
    DWORD size = 0;
    if (RegQueryValueExW(key.get(), wideName.c_str(), nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS) {
        return false;
    }
    std::vector<char> data(size + 2);
    if (RegQueryValueExW(key.get(), wideName.c_str(), nullptr, &value.type, reinterpret_cast<BYTE*>(data.data()),
                         &size) != ERROR_SUCCESS) {
        return false;
    }
    value.name = valueName;
    value.bytes.assign(data.data(), std::min<size_t>(size, data.size()));
    return true;
}

WriteOutcome WriteRegRawValue(HKEY root, const std::string& keyPath, const std::string& valueName, DWORD type,
                              const std::string& bytes, REGSAM view) {
    if (WriteDenied(root, keyPath)) return WriteOutcome::Denied();
    ScopedKey key;
    const LONG opened = RegOpenKeyExW(root, WideKeyPath(keyPath).c_str(), 0, KEY_SET_VALUE | view, key.receive());
    if (opened != ERROR_SUCCESS) return WriteOutcomeOfError(static_cast<DWORD>(opened));
    return WriteOutcomeOfError(static_cast<DWORD>(RegSetValueExW(key.get(), WideFromUtf8(valueName).c_str(), 0, type,
                                                                 reinterpret_cast<const BYTE*>(bytes.data()),
                                                                 static_cast<DWORD>(bytes.size()))));
}

WriteOutcome WriteOutcomeOfError(DWORD error) {
    switch (error) {
        case ERROR_SUCCESS:
            return WriteOutcome::Done();
        case ERROR_ACCESS_DENIED:
        case ERROR_PRIVILEGE_NOT_HELD:
        case ERROR_WRITE_PROTECT:
            return WriteOutcome::Denied();
        default:
            return WriteOutcome::Failed();
    }
}

void SetRegistryWriteDenialForTests(RegistryWriteDenial denial) { g_registryWriteDenial = denial; }
