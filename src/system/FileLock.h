// An exclusive lock over one data file that several copies of the program may
// rewrite (the window, the copy with administrator rights, the logon check,
// scripts). A writer holds it from re-reading the file to replacing it, so each
// applies its own change to what the others left, and none is undone.
//
// The lock is taken on a lock file beside the data file ("<file>.lock"), never
// on the data file itself: the data file is replaced whole by a rename, which a
// lock on it would forbid, and readers must still open it.
#pragma once
#include <string>

#include "system/Scoped.h"

class DataFileLock {
public:
    // Waits for the lock up to the time given; held() says whether it came.
    explicit DataFileLock(const std::string& dataFile, unsigned long timeoutMs = 10000);
    ~DataFileLock();
    DataFileLock(const DataFileLock&) = delete;
    DataFileLock& operator=(const DataFileLock&) = delete;

    bool held() const { return held_; }

private:
    ScopedFile file_;
    bool held_ = false;
};
