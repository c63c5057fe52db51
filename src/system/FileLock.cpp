#include "system/FileLock.h"

#include <windows.h>

#include "system/Utf8.h"

DataFileLock::DataFileLock(const std::string& dataFile, unsigned long timeoutMs) {
    // Every sharing mode: other copies open the same lock file to wait on it;
    // the lock itself is what excludes them.
    file_ = ScopedFile(CreateFileW(WideFromUtf8(dataFile + ".lock").c_str(), GENERIC_READ | GENERIC_WRITE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file_) return;
    // Polled rather than waited for without end: a copy that hangs while it
    // holds the lock must not hang every other copy with it.
    const DWORD started = GetTickCount();
    for (;;) {
        OVERLAPPED whole = {};
        if (LockFileEx(file_.get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &whole)) {
            held_ = true;
            return;
        }
        if (GetLastError() != ERROR_LOCK_VIOLATION || GetTickCount() - started >= timeoutMs) return;
        Sleep(10);
    }
}

DataFileLock::~DataFileLock() {
    if (!held_) return;
    OVERLAPPED whole = {};
    UnlockFileEx(file_.get(), 0, 1, 0, &whole);
}
