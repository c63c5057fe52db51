// The logon check's log file in the data folder (its lines: BlockCheckLogFormat.h).
#pragma once
#include <string>
#include <vector>

#include "blocking/BlockCheckLogFormat.h"
#include "entries/EntryChange.h"

extern const char kBlockCheckLogFileName[];  // "BootmarshalBlockCheck.log"

std::string BlockCheckLogFile();
// The action a removal came to, as the log keeps it.
BlockCheckAction BlockCheckActionOf(const StartupEntry& entry, const ChangeResult& result);
// Appends the actions of this run, stamped with the local time, under the
// file's lock. A log that cannot be read is kept as it is (and this run's lines
// are not written); nothing here ever stops the check.
void AppendBlockCheckLog(const std::vector<BlockCheckAction>& actions);
// The newest run the log holds; empty when there is none or it cannot be read.
BlockCheckRun ReadLastBlockCheckRun();
