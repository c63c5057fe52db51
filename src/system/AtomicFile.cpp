#include "system/AtomicFile.h"

#include <windows.h>

#include "system/Scoped.h"
#include "system/Utf8.h"

namespace {

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
    ScopedFile file(CreateFileW(WideFromUtf8(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file.get(), bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
        done += written;
    }
    return FlushFileBuffers(file.get()) != 0;
}

}  // namespace

bool ReplaceFileAtomically(const std::string& path, const std::string& bytes) {
    const std::string temporary = path + ".new";
    // The caller may tell the user why: the platform's reason outlives the clean-up.
    if (!WriteWholeFile(temporary, bytes) || !MoveFileExW(WideFromUtf8(temporary).c_str(), WideFromUtf8(path).c_str(),
                                                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD reason = GetLastError();
        DeleteFileW(WideFromUtf8(temporary).c_str());
        SetLastError(reason);
        return false;
    }
    return true;
}
