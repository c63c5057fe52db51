#include "system/RegistryValues.h"

#include <algorithm>

#include "system/Scoped.h"

namespace {

RegistryWriteDenial g_registryWriteDenial = nullptr;

std::string WithoutLeadingBackslash(const std::string& keyPath) {
    return (!keyPath.empty() && keyPath[0] == '\\') ? keyPath.substr(1) : keyPath;
}

bool WriteDenied(HKEY root, const std::string& keyPath) {
    return g_registryWriteDenial && g_registryWriteDenial(root, WithoutLeadingBackslash(keyPath));
}

// A string value's bytes up to the first NUL; registry data need not be terminated.
std::string StringFromRegBytes(std::string bytes) {
    const size_t nul = bytes.find('\0');
    if (nul != std::string::npos) bytes.resize(nul);
    return bytes;
}

std::string StringFromRegData(const std::vector<char>& data, DWORD size) {
    return StringFromRegBytes(std::string(data.data(), data.data() + std::min<size_t>(size, data.size())));
}

// Every value of a key in the registry's order; visit(name, type, data, size).
// A key that cannot be opened has none.
template <typename Visit>
void ForEachValue(HKEY root, const std::string& keyPath, REGSAM view, Visit visit) {
    ScopedKey key;
    if (RegOpenKeyExA(root, WithoutLeadingBackslash(keyPath).c_str(), 0, KEY_QUERY_VALUE | view, key.receive()) !=
        ERROR_SUCCESS) {
        return;
    }
    DWORD count = 0, maxName = 0, maxData = 0;
    if (RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &maxName, &maxData,
                         nullptr, nullptr) != ERROR_SUCCESS) {
        return;
    }
    std::vector<char> name(maxName + 2);
    std::vector<char> data(maxData + 2);
    for (DWORD index = 0;; ++index) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD dataSize = static_cast<DWORD>(data.size());
        DWORD type = 0;
        const LONG status = RegEnumValueA(key.get(), index, name.data(), &nameLength, nullptr, &type,
                                          reinterpret_cast<BYTE*>(data.data()), &dataSize);
        if (status == ERROR_MORE_DATA) {
            // The key grew since it was measured: make room and read this index again.
            name.resize(name.size() * 2 + 256);
            data.resize(std::max<size_t>(data.size() * 2, dataSize + 2));
            --index;
            continue;
        }
        if (status != ERROR_SUCCESS) break;
        // A name with characters outside the code page can come back with a
        // length that does not fit its buffer: the text up to its NUL counts.
        const size_t nameChars = strnlen(name.data(), std::min<size_t>(nameLength, name.size()));
        visit(std::string(name.data(), nameChars), type, data, dataSize);
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
    const LONG created =
        RegCreateKeyExA(root, WithoutLeadingBackslash(keyPath).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE | view, nullptr, key.receive(), nullptr);
    if (created != ERROR_SUCCESS) return WriteOutcomeOfError(static_cast<DWORD>(created));
    return WriteOutcomeOfError(static_cast<DWORD>(RegSetValueExA(key.get(), valueName.c_str(), 0, type,
                                                                 reinterpret_cast<const BYTE*>(text.c_str()),
                                                                 static_cast<DWORD>(text.size() + 1))));
}

WriteOutcome DeleteRegValue(HKEY root, const std::string& keyPath, const std::string& valueName, REGSAM view) {
    if (WriteDenied(root, keyPath)) return WriteOutcome::Denied();
    ScopedKey key;
    const LONG opened =
        RegOpenKeyExA(root, WithoutLeadingBackslash(keyPath).c_str(), 0, KEY_SET_VALUE | view, key.receive());
    if (opened == ERROR_FILE_NOT_FOUND) return WriteOutcome::Done();  // No key, no value.
    if (opened != ERROR_SUCCESS) return WriteOutcomeOfError(static_cast<DWORD>(opened));
    const LONG status = RegDeleteValueA(key.get(), valueName.c_str());
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
    if (RegOpenKeyExA(root, WithoutLeadingBackslash(keyPath).c_str(), 0, KEY_QUERY_VALUE | view, key.receive()) !=
        ERROR_SUCCESS) {
        return false;
    }
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS) {
        return false;
    }
    std::vector<char> data(size + 1);
    if (RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &value.type, reinterpret_cast<BYTE*>(data.data()),
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
    const LONG opened =
        RegOpenKeyExA(root, WithoutLeadingBackslash(keyPath).c_str(), 0, KEY_SET_VALUE | view, key.receive());
    if (opened != ERROR_SUCCESS) return WriteOutcomeOfError(static_cast<DWORD>(opened));
    return WriteOutcomeOfError(static_cast<DWORD>(RegSetValueExA(key.get(), valueName.c_str(), 0, type,
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
