#include "entries/FolderLocations.h"

#include <windows.h>

#include "entries/StartupFolders.h"
#include "entries/StoredCommand.h"
#include "system/Files.h"
#include "system/RegistryValues.h"
#include "system/Scoped.h"
#include "system/TextCase.h"
#include "system/Utf8.h"

namespace {

const char kLinkExtension[] = ".lnk";
const size_t kLinkExtensionLength = 4;

// The pattern "*.lnk" also matches names such as "x.lnkx" through their short
// alias, so the long name's ending is checked again.
bool HasLinkExtension(const char* name, size_t length) {
    if (length < kLinkExtensionLength) return false;
    return SameAscii(std::string(name + length - kLinkExtensionLength, kLinkExtensionLength), kLinkExtension);
}

std::string LinkFile(int kind, const std::string& name, EntryPlace place) {
    const std::string folder = FolderOfPlace(kind, place);
    return folder.empty() ? std::string() : folder + name + kLinkExtension;
}

}  // namespace

std::string FolderOfPlace(int kind, EntryPlace place) {
    std::string folder = StartupFolder(kind);
    if (!folder.empty() && place == EntryPlace::AutorunsDisabled) folder.append(kAutorunsDisabled).append("\\");
    return folder;
}

EntryList ListFolderEntries(int kind, EntryPlace place) {
    EntryList entries;
    const std::string folder = FolderOfPlace(kind, place);
    if (folder.empty()) return entries;
    const bool shelved = place == EntryPlace::AutorunsDisabled;

    WIN32_FIND_DATAW found;
    ScopedFind find(FindFirstFileExW(WideFromUtf8(folder + "*" + kLinkExtension).c_str(), FindExInfoBasic, &found,
                                     FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find) return entries;
    ShellLink& link = SharedShellLink();
    do {
        if (found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) continue;
        const std::string fileName = Utf8FromWide(found.cFileName);
        const size_t length = fileName.size();
        if (!HasLinkExtension(fileName.c_str(), length)) continue;  // also drops "." and ".."
        // A link that cannot be loaded (or a folder named like one) is still an
        // entry; the reset fields make its command a single space.
        link.LoadLink(folder + fileName);
        StartupEntry entry;
        entry.name.assign(fileName, 0, length - kLinkExtensionLength);
        entry.command = LinkCommand(link.Fields().Path, link.Fields().Arguments);
        entry.active = shelved ? 0 : 1;
        entry.kind = kind;
        if (shelved) entry.offBy = SwitchedOffBy::OtherTool;
        entries.push_back(std::move(entry));
    } while (FindNextFileW(find.get(), &found));
    return entries;
}

bool FolderLinkExists(int kind, const std::string& name, EntryPlace place) {
    const std::string file = LinkFile(kind, name, place);
    return !file.empty() && GetFileAttributesW(WideFromUtf8(file).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool ReadFolderLink(int kind, const std::string& name, ShellLinkFields& fields, EntryPlace place) {
    if (!FolderLinkExists(kind, name, place)) return false;
    ShellLink& link = SharedShellLink();
    link.LoadLink(LinkFile(kind, name, place));  // as listing does: a link that cannot be loaded reads as reset fields
    fields = link.Fields();
    return true;
}

WriteOutcome WriteFolderLink(int kind, const std::string& name, const ShellLinkFields& fields, EntryPlace place) {
    const std::string file = LinkFile(kind, name, place);
    if (file.empty()) return WriteOutcome::Failed();
    if (place == EntryPlace::AutorunsDisabled)
        CreateDirectoryW(WideFromUtf8(FolderOfPlace(kind, place)).c_str(), nullptr);
    ShellLink& link = SharedShellLink();
    link.SetFields(fields);

    // The new link is made complete beside the old one and then takes its place,
    // so a link that cannot be written never costs the entry it replaces. The
    // temporary name does not end in ".lnk" and so is never listed.
    const std::string temporary = file + ".new";
    DeleteFileW(WideFromUtf8(temporary).c_str());
    if (!link.SaveLink(temporary)) {
        const HRESULT result = link.LastSaveResult();
        DeleteFileW(WideFromUtf8(temporary).c_str());
        const bool denied = result == E_ACCESSDENIED || result == HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED) ||
                            result == STG_E_ACCESSDENIED;
        return denied ? WriteOutcome::Denied() : WriteOutcome::Failed();
    }
    if (!MoveFileExW(WideFromUtf8(temporary).c_str(), WideFromUtf8(file).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        DeleteFileW(WideFromUtf8(temporary).c_str());
        return WriteOutcomeOfError(error == ERROR_SUCCESS ? ERROR_GEN_FAILURE : error);
    }
    return WriteOutcome::Done();
}

WriteOutcome WriteFolderEntry(int kind, const std::string& name, const std::string& command) {
    CommandParts target;
    if (!StoredLinkTarget(command, true, nullptr, LinkSplit::FoundOnly, target)) return WriteOutcome::Failed();
    ShellLink& link = SharedShellLink();
    link.SetTarget(target.program, target.arguments);
    return WriteFolderLink(kind, name, link.Fields());
}

WriteOutcome RemoveFolderEntry(int kind, const std::string& name, EntryPlace place) {
    const std::string file = LinkFile(kind, name, place);
    if (file.empty()) return WriteOutcome::Failed();
    if (DeleteFileW(WideFromUtf8(file).c_str())) {
        // Some platforms report a deletion that the file system refused at
        // close as done: the file is looked for again.
        return GetFileAttributesW(WideFromUtf8(file).c_str()) == INVALID_FILE_ATTRIBUTES ? WriteOutcome::Done()
                                                                                         : WriteOutcome::Denied();
    }
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return WriteOutcome::Done();
    return WriteOutcomeOfError(error);
}
