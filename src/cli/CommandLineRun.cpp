#include "cli/CommandLineRun.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <exception>

#include "backup/BackupStore.h"
#include "backup/LocaleFormats.h"
#include "backup/SnapshotCompare.h"
#include "blocking/BlockList.h"
#include "blocking/BlockMatch.h"
#include "blocking/EntryBlocking.h"
#include "cli/CommandLine.h"
#include "cli/OutputFormats.h"
#include "entries/EntryCatalogue.h"
#include "entries/KnownSystemEntries.h"
#include "entries/RunCheck.h"
#include "i18n/TranslationCatalogue.h"
#include "report/ComparisonFields.h"
#include "report/EntryFields.h"
#include "system/AtomicFile.h"
#include "system/DataFolder.h"
#include "system/ProductNames.h"
#include "system/ProgramMaker.h"
#include "system/Scoped.h"
#include "system/TextCase.h"
#include "system/TextRules.h"
#include "system/Utf8.h"
#include "ui/main/MainWindowModel.h"
#include "ui/prompts/ErrorTexts.h"
#include "ui/win/TextNumbers.h"
#include "xml/XmlCodec.h"
#include "xml/XmlParser.h"

namespace cli {

using report::ComparisonFieldColumns;
using report::ComparisonFieldValues;
using report::ComparisonRow;
using report::ComparisonRowOf;
using report::EntryFacts;
using report::EntryFieldColumns;
using report::EntryFieldValues;
using report::FieldColumn;

namespace {

// Who made the entry's program, from its version resource; empty for a program
// that is not there.
std::string MadeBy(const StartupEntry& entry, const ProgramLookup& lookup, ProgramMakerCache& makers) {
    return report::MadeByOf(entry, lookup,
                            [&makers](const std::string& file) { return ProgramMakerLine(makers.Of(file)); });
}

// A windowed copy started from a console has no standard handles of its own:
// it writes to the console it was started from, when there is one.
HANDLE OutputHandle(DWORD which) {
    HANDLE handle = GetStdHandle(which);
    if (handle && handle != INVALID_HANDLE_VALUE) return handle;
    // Refused with "access denied" when this process has a console already (a
    // console twin started without standard handles): that console is used.
    static bool attached = AttachConsole(ATTACH_PARENT_PROCESS) != FALSE || GetLastError() == ERROR_ACCESS_DENIED;
    if (!attached) return nullptr;
    handle = GetStdHandle(which);
    if (handle && handle != INVALID_HANDLE_VALUE) return handle;
    // Attaching need not give a windowed program standard handles: the
    // console's own output buffer is opened by its name.
    static HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                        nullptr, OPEN_EXISTING, 0, nullptr);
    return console != INVALID_HANDLE_VALUE ? console : nullptr;
}

// A console shows Unicode only through WriteConsoleW; a file or pipe gets the
// UTF-8 bytes themselves.
void Write(DWORD which, const std::string& text) {
    HANDLE handle = OutputHandle(which);
    if (!handle || text.empty()) return;
    DWORD mode = 0;
    DWORD done = 0;
    if (GetConsoleMode(handle, &mode)) {
        const std::wstring wide = WideFromUtf8(text);
        WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &done, nullptr);
    } else {
        WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &done, nullptr);
    }
}

// Printed text ends its lines the console's way; a text's line break is the
// catalogue's carriage return.
std::string Printable(std::string text) {
    for (size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '\r' && (at + 1 == text.size() || text[at + 1] != '\n')) text[at] = '\n';
    }
    return text;
}

std::string Words(int number) { return Printable(GetText(number)); }

void Print(const std::string& text) { Write(STD_OUTPUT_HANDLE, text); }
void PrintError(const std::string& text) { Write(STD_ERROR_HANDLE, text + "\n"); }

std::string Say(int number, const std::string& value) { return FillPlaceholder(Words(number), value); }

// The rows written to standard output or, with /out, to the file in one step.
int Emit(const CommandLine& line, const std::string& text) {
    if (line.outFile.empty()) {
        Print(text);
        return kExitDone;
    }
    if (ReplaceFileAtomically(line.outFile, text)) return kExitDone;
    PrintError(Say(Text::CannotWrite, line.outFile));
    return kExitNotWritten;
}

std::vector<OutputColumn> Columns(const std::vector<FieldColumn>& fields) {
    std::vector<OutputColumn> columns;
    for (const FieldColumn& field : fields) columns.push_back({field.key, Words(field.captionText)});
    return columns;
}

int List(const CommandLine& line) {
    const std::string windowsFolder = WindowsFolder();
    const ProgramLookup lookup = SystemProgramLookup();
    ProgramMakerCache makers;
    std::vector<OutputRow> rows;
    for (const StartupEntry& entry : CollectAllEntries()) {
        EntryFacts facts{entry, IsKnownSystemEntryIn(entry, windowsFolder), WhyEntryWillNotStart(entry, lookup),
                         MadeBy(entry, lookup, makers)};
        rows.push_back(EntryFieldValues(facts, Words));
    }
    return Emit(line, FormatRows(line.format, Columns(EntryFieldColumns()), rows));
}

// The same snapshot the start takes, under the same rules: the fifteen newest
// are kept, and a file the reader refuses is left as it is.
int Backup() {
    TXMLCodec codec;
    TXMLParser parser;
    parser.Codec = &codec;
    BackupStore store(parser);
    try {
        store.StartBackups();
    } catch (const std::exception& fault) {
        PrintError(Printable(ui::UserMessage(fault)));
        return kExitNotWritten;
    }
    const std::vector<Snapshot>& snapshots = store.List().Snapshots;
    Print(Say(Text::CommandLineBackupTaken,
              snapshots.empty() ? std::string() : DateTimeText(snapshots.front().Timestamp)) +
          "\n");
    return kExitDone;
}

// The differences since snapshot N (1 the newest) in the listing's fields: the
// entry now (for a removed one, as the snapshot held it), then what it was.
int Compare(const CommandLine& line) {
    TXMLCodec codec;
    TXMLParser parser;
    parser.Codec = &codec;
    BackupStore store(parser);
    try {
        store.LoadBackupFile();
    } catch (const std::exception& fault) {
        PrintError(Printable(ui::UserMessage(fault)));
        return kExitNotWritten;
    }
    std::vector<Snapshot> snapshots = store.List().Snapshots;
    SortSnapshots(snapshots);
    if (static_cast<size_t>(line.snapshot) > snapshots.size()) {
        PrintError(Say(Text::CommandLineNoSnapshot, std::to_string(line.snapshot)));
        return kExitNothingMatched;
    }
    const EntryList& recorded = snapshots[static_cast<size_t>(line.snapshot) - 1].Entries;
    const std::vector<EntryDelta> deltas = CompareWithSnapshot(recorded, CollectAllEntries());

    const std::string windowsFolder = WindowsFolder();
    const ProgramLookup lookup = SystemProgramLookup();
    ProgramMakerCache makers;
    std::vector<OutputRow> rows;
    for (const EntryDelta& delta : deltas) {
        const ComparisonRow row = ComparisonRowOf(delta);
        const bool removed = delta.difference == EntryDifference::Removed;
        const EntryFacts facts{row.shown, IsKnownSystemEntryIn(row.shown, windowsFolder),
                               removed ? NotRunReason::None : WhyEntryWillNotStart(row.shown, lookup),
                               MadeBy(row.shown, lookup, makers)};
        rows.push_back(ComparisonFieldValues(row, facts, Words));
    }
    const int written = Emit(line, FormatRows(line.format, Columns(ComparisonFieldColumns()), rows));
    if (written != kExitDone) return written;
    return deltas.empty() ? kExitNothingMatched : kExitDone;
}

bool SameCommand(const std::string& a, const std::string& b) {
    return TextKey(BlockMatchForm(a)) == TextKey(BlockMatchForm(b));
}

std::string Described(const StartupEntry& entry) {
    return entry.name + " (" + ui::LocationLabel(entry.kind, Words) + ")";
}

// Blocking and releasing go through the windows' own transactions, entry by
// entry; the first failure decides the exit code, the others are still tried.
int BlockOrRelease(const CommandLine& line) {
    const bool block = line.action == Action::Block;
    // Only a blocked command can be released: its entries may be switched off
    // for other reasons, which are not this command's to undo.
    if (!block && !IsBlocked(line.command)) {
        PrintError(Say(Text::CommandLineNothingMatched, line.command));
        return kExitNothingMatched;
    }
    int exitCode = kExitDone;
    bool matched = false;
    for (const StartupEntry& entry : CollectAllEntries()) {
        if (!HoldsText(entry) || !SameCommand(entry.command, line.command)) continue;
        matched = true;
        const BlockingResult result = block ? BlockEntry(entry) : ReleaseEntry(entry);
        if (result.ok()) {
            Print(Say(block ? Text::CommandLineBlocked : Text::CommandLineReleased, Described(entry)) + "\n");
        } else if (result.entryChange.reason == ChangeReason::AccessDenied) {
            PrintError(Say(Text::CommandLineAccessDenied, Described(entry)));
            if (exitCode == kExitDone) exitCode = kExitAccessDenied;
        } else {
            PrintError(Say(Text::CommandLineNotChanged, Described(entry)));
            if (exitCode == kExitDone) exitCode = kExitNotWritten;
        }
        if (!result.listSaved) {
            PrintError(Say(Text::CannotWrite, result.listFile));
            if (exitCode == kExitDone) exitCode = kExitNotWritten;
        }
        if (!result.logonCheckSet) {
            PrintError(Say(Text::CannotWrite, BlockCheckRunPlace()));
            if (exitCode == kExitDone) exitCode = kExitNotWritten;
        }
    }
    // A blocked command whose entries are gone still comes off the list.
    if (!matched && !block && IsBlocked(line.command)) {
        const BlockListChange change = Unblock(line.command);
        if (change.accepted) {
            Print(Say(Text::CommandLineReleased, line.command) + "\n");
            if (!change.logonCheckSet) PrintError(Say(Text::CannotWrite, BlockCheckRunPlace()));
            return change.saved && change.logonCheckSet ? kExitDone : kExitNotWritten;
        }
    }
    if (!matched) {
        PrintError(Say(Text::CommandLineNothingMatched, line.command));
        return kExitNothingMatched;
    }
    return exitCode;
}

}  // namespace

std::vector<std::string> CommandLineArguments() {
    std::vector<std::string> arguments;
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide) return arguments;
    for (int i = 1; i < count; ++i) arguments.push_back(Utf8FromWide(wide[i]));
    LocalFree(wide);
    return arguments;
}

int RunCommandLine(const std::vector<std::string>& arguments) {
    LoadTranslation(kBaseName);
    const CommandLine line = ParseCommandLine(arguments);
    if (!line.error.empty() || line.action == Action::None) {
        PrintError(Say(Text::CommandLineUsageError, line.error));
        return kExitUsage;
    }
    try {
        switch (line.action) {
            case Action::Help:
                Print(Words(Text::CommandLineUsage) + "\n");
                return kExitDone;
            case Action::List:
                return List(line);
            case Action::Backup:
                return Backup();
            case Action::Block:
            case Action::Release:
                return BlockOrRelease(line);
            case Action::Compare:
                return Compare(line);
            case Action::None:
                break;
        }
    } catch (const std::exception& fault) {
        PrintError(Printable(ui::UserMessage(fault)));
        return kExitNotWritten;
    }
    PrintError(Say(Text::CommandLineUsageError, arguments.empty() ? std::string() : arguments[0]));
    return kExitUsage;
}

}  // namespace cli
