#include "system/Files.h"

#include <windows.h>

#include <algorithm>
#include <new>

#include "system/CommandSplit.h"
#include "system/Errors.h"
#include "system/MessagePump.h"
#include "system/Scoped.h"
#include "system/TextCase.h"
#include "system/TextRules.h"
#include "system/Utf8.h"

namespace {

// Lists a folder (all attributes); calls visit(name, isFolder) for each item other
// than "." and "..", preferring the short name. Stops when visit returns false.
template <typename Visit>
bool ForEachItem(const std::string& folder, Visit visit) {
    WIN32_FIND_DATAW found;
    ScopedFind find(FindFirstFileW(WideFromUtf8(folder + "*").c_str(), &found));
    if (!find) return true;  // A folder that cannot be listed counts as empty.
    do {
        ProcessPendingMessages();
        const std::string longName = Utf8FromWide(found.cFileName);
        if (longName == "." || longName == "..") continue;
        const std::string name = found.cAlternateFileName[0] ? Utf8FromWide(found.cAlternateFileName) : longName;
        if (!visit(name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)) return false;
    } while (FindNextFileW(find.get(), &found));
    return true;
}

bool ClearReadOnly(const std::string& path) {
    const std::wstring widePath = WideFromUtf8(path);
    const DWORD attributes = GetFileAttributesW(widePath.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    if (attributes & FILE_ATTRIBUTE_READONLY)
        SetFileAttributesW(widePath.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    return true;
}

// driveRoots: every root framed by NUL characters, upper-cased. False ends the deletion.
bool DeleteTreeBelow(const std::string& folder, const std::string& driveRoots) {
    ProcessPendingMessages();
    const bool listed = ForEachItem(folder, [&](const std::string& name, bool isFolder) {
        const std::string path = folder + name;
        if (isFolder) return DeleteTreeBelow(path + "\\", driveRoots);
        return ClearReadOnly(path) && DeleteFileW(WideFromUtf8(path).c_str());
    });
    if (!listed) return false;
    if (driveRoots.find(std::string(1, '\0') + UpperText(folder) + '\0') != std::string::npos) return true;
    return ClearReadOnly(folder) && RemoveDirectoryW(WideFromUtf8(folder).c_str());
}

}  // namespace

void DeleteFolderTree(const std::string& folder) {
    wchar_t roots[1024] = {};
    const DWORD length = GetLogicalDriveStringsW(1022, roots + 1);
    if (length == 0 || length > 1022) return;
    // "\0C:\\\0D:\\\0...": each root framed by NUL characters.
    const std::string driveRoots = UpperText(Utf8FromWide(std::wstring_view(roots, length + 2)));

    const std::wstring wideFolder = WideFromUtf8(folder);
    const DWORD needed = GetShortPathNameW(wideFolder.c_str(), nullptr, 0);
    if (needed == 0) return;
    std::wstring shortPath(needed, L'\0');
    const DWORD shortLength = GetShortPathNameW(wideFolder.c_str(), &shortPath[0], needed);
    if (shortLength == 0 || shortLength >= needed) return;
    shortPath.resize(shortLength);
    // The short form as it is: an upper-cased name need not be the same file's name
    // outside A-Z, and the roots are compared upper-cased anyway.
    DeleteTreeBelow(WithTrailingBackslash(Utf8FromWide(shortPath)), driveRoots);
}

bool ReadWholeFile(const std::string& path, std::string& bytes, size_t spare) {
    bytes.clear();
    ScopedFile file(CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 || size.QuadPart > 0x7FFFFFFF) return false;
    try {
        bytes.reserve(static_cast<size_t>(size.QuadPart) + spare);
        bytes.resize(static_cast<size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        return false;
    }
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 24));
        if (!ReadFile(file.get(), &bytes[done], chunk, &got, nullptr)) {
            bytes.clear();
            return false;
        }
        if (got == 0) break;  // the file became shorter while it was read
        done += got;
    }
    bytes.resize(done);
    return true;
}

bool FolderExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(WideFromUtf8(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FileExists(const std::string& path) {
    if (path.empty()) return false;
    const DWORD attributes = GetFileAttributesW(WideFromUtf8(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ReadFirstLine(const std::string& path) {
    if (!FileExists(path)) return std::string();
    ScopedFile file(CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) throw EInOutError(FileFault::Read, path, GetLastError());
    std::string line;
    char buffer[512];
    DWORD got = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) {
        for (DWORD i = 0; i < got; ++i) {
            if (buffer[i] == '\r' || buffer[i] == '\n') return line;
            line += buffer[i];
        }
    }
    return line;
}

void WriteTextFileOnce(const std::string& path, const std::string& text) {
    if (FileExists(path)) return;
    ScopedFile file(
        CreateFileW(WideFromUtf8(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) throw EInOutError(FileFault::Create, path, GetLastError());
    DWORD written = 0;
    if (!WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) ||
        written != text.size()) {
        throw EInOutError(FileFault::Write, path, GetLastError());
    }
}

std::string ProgramPart(const std::string& command) { return ProgramPartWith(command, FileExists); }

std::string ArgumentsPart(const std::string& command) { return ArgumentsPartWith(command, FileExists); }
