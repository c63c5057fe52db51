#include "blocking/BlockCheckLog.h"

#include <windows.h>

#include <cstdio>

#include "system/AtomicFile.h"
#include "system/DataFolder.h"
#include "system/FileLock.h"
#include "system/Files.h"
#include "system/ProductNames.h"

const char kBlockCheckLogFileName[] = "BootmarshalBlockCheck.log";

namespace {

// The log is read by people, also without the program's language files (the
// check loads none): the reasons are plain English words.
const char* ReasonWords(ChangeReason reason) {
    switch (reason) {
        case ChangeReason::None:
            return "";
        case ChangeReason::AccessDenied:
            return "access denied";
        case ChangeReason::NameTaken:
            return "name taken";
        case ChangeReason::ChangedSinceListing:
            return "changed while the check ran";
        case ChangeReason::NameNotStorable:
            return "name cannot be stored";
        case ChangeReason::CommandNotStorable:
            return "list cannot be stored again";
        case ChangeReason::NotAStringValue:
            return "not a text value";
        case ChangeReason::NoLocation:
            return "no location";
        case ChangeReason::WriteFailed:
            return "write failed";
        case ChangeReason::NotMachineWide:
            return "not a machine-wide location";
        case ChangeReason::ProgramNotFound:
            return "program not found";
        case ChangeReason::SetByPolicy:
            return "set by a policy";
        case ChangeReason::SetForWinlogon:
            return "read by Winlogon";
        case ChangeReason::OnlySwitched:
            return "only switched where it stands";
        case ChangeReason::NotDeletable:
            return "not deleted: it goes with its app";
    }
    return "refused";
}

std::string LocalTimeText() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char text[32];
    snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", now.wYear, now.wMonth, now.wDay, now.wHour,
             now.wMinute, now.wSecond);
    return text;
}

}  // namespace

std::string BlockCheckLogFile() { return DataFolder(kBaseName) + kBlockCheckLogFileName; }

BlockCheckAction BlockCheckActionOf(const StartupEntry& entry, const ChangeResult& result) {
    BlockCheckAction action;
    action.location = result.location;
    action.name = entry.name;
    action.command = entry.command;
    action.removed = result.ok();
    if (!action.removed) action.reason = ReasonWords(result.reason);
    return action;
}

void AppendBlockCheckLog(const std::vector<BlockCheckAction>& actions) {
    if (actions.empty()) return;
    const std::string time = LocalTimeText();
    std::string lines;
    for (const BlockCheckAction& action : actions) lines += BlockCheckLogLine(time, action);
    const std::string path = BlockCheckLogFile();
    const DataFileLock lock(path);
    if (!lock.held()) return;
    std::string log;
    if (FileExists(path) && !ReadWholeFile(path, log)) return;
    ReplaceFileAtomically(path, AppendToBlockCheckLog(log, lines));
}

BlockCheckRun ReadLastBlockCheckRun() {
    const std::string path = BlockCheckLogFile();
    std::string log;
    if (!FileExists(path) || !ReadWholeFile(path, log)) return BlockCheckRun();
    return LastBlockCheckRun(log);
}
