// Packaged apps' startup tasks, laid out as Windows lays out an installed
// package for the user: the package repository's key with the package's folder
// and display name, the AppxManifest.xml in that folder (the files of
// tests/wine/entries/packages), and the State Settings keeps per task. Wine has
// not the calls that name a family's installed packages and their folders, so
// the repository answers under Wine; a stand-in answers for them where a test
// shows that what they say wins, and checks what it is asked.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>

#include "LocationsFixture.h"
#include "backup/EntryRestore.h"
#include "entries/EntryCatalogue.h"
#include "entries/EntryChange.h"
#include "entries/LocationFamily.h"
#include "entries/PackageCalls.h"
#include "entries/PackagedAppsFamily.h"
#include "entries/PackagedStartupTasks.h"
#include "support/WineTestSupport.h"
#include "system/Utf8.h"

namespace {

using namespace entrytest;

const char kNotesFullName[] = "Contoso.Notes_1.2.3.0_x64__8wekyb3d8bbwe";
const char kNotesFamily[] = "Contoso.Notes_8wekyb3d8bbwe";
const char kSyncFullName[] = "Fabrikam.Sync_4.0.1.0_x86__abcd1234efgh5";
const char kSyncFamily[] = "Fabrikam.Sync_abcd1234efgh5";
const char kAppsFolder[] = "C:\\bmtest\\Program Files\\WindowsApps\\";

std::string FolderOfPackage(const std::string& fullName) { return kAppsFolder + fullName; }

void DeleteTree(const std::string& key) { RegDeleteTreeW(HKEY_CURRENT_USER, WideFromUtf8(key).c_str()); }

// A package installed as Windows installs it: its folder with the manifest,
// and its key in the user's package repository.
void InstallPackage(const std::string& fullName, const std::string& manifest, const std::string& displayName) {
    const std::string folder = FolderOfPackage(fullName);
    MakeFolders(folder);
    const std::string bytes =
        testsupport::ReadFileBytes(testsupport::SourcePath("tests/wine/entries/packages/" + manifest));
    ASSERT_FALSE(bytes.empty()) << manifest;
    ASSERT_TRUE(WriteBytes(folder + "\\AppxManifest.xml", bytes));
    const std::string key = std::string(kPackageRepositoryKey) + "\\" + fullName;
    SetString(HKEY_CURRENT_USER, key, "PackageRootFolder", folder);
    SetString(HKEY_CURRENT_USER, key, "DisplayName", displayName);
    SetString(HKEY_CURRENT_USER, key, "PackageID", fullName);
}

void SetState(const std::string& family, const std::string& taskId, DWORD state) {
    SetValue(HKEY_CURRENT_USER, StartupTaskStateKey(family, taskId), "State", REG_DWORD, &state, sizeof state);
}

// The State as stored: -1 when there is none, -2 when it is no REG_DWORD.
long long StateOf(const std::string& family, const std::string& taskId) {
    DWORD value = 0;
    DWORD size = sizeof value;
    DWORD type = 0;
    const LONG status = RegGetValueW(HKEY_CURRENT_USER, WideFromUtf8(StartupTaskStateKey(family, taskId)).c_str(),
                                     L"State", RRF_RT_ANY, &type, &value, &size);
    if (status != ERROR_SUCCESS) return -1;
    return type == REG_DWORD ? static_cast<long long>(value) : -2;
}

EntryList Listed() { return FamilyOf(kPackagedAppTasks)->List(kPackagedAppTasks, EntryPlace::Location); }

StartupEntry FindListed(const std::string& name) {
    for (const StartupEntry& entry : Listed()) {
        if (entry.name == name) return entry;
    }
    ADD_FAILURE() << "not listed: " << name;
    return StartupEntry();
}

const char kNotesCommand[] =
    "\"C:\\bmtest\\Program Files\\WindowsApps\\Contoso.Notes_1.2.3.0_x64__8wekyb3d8bbwe\\Tray\\NotesTray.exe\"";

class PackagedApps : public LocationsTest {
protected:
    void SetUp() override {
        LocationsTest::SetUp();
        Forget();
    }
    void TearDown() override {
        Forget();
        SetPackageCallsForTests(nullptr);
        LocationsTest::TearDown();
    }
    static void Forget() {
        DeleteTree(kPackageRepositoryKey);
        DeleteTree(kStartupTaskStatesKey);
    }
};

TEST_F(PackagedApps, EachTaskIsListedWithItsPackagesNameAndTheStateSettingsKeeps) {
    InstallPackage(kNotesFullName, "contoso-notes.xml", "Contoso Notes");
    struct Case {
        long long state;  // -1: none stored, the manifest's Enabled="true" holds
        uint8_t active;
        SwitchedOffBy offBy;
        NotRunReason reason;
    };
    const Case cases[] = {
        {-1, 1, SwitchedOffBy::Nobody, NotRunReason::None},
        {0, 0, SwitchedOffBy::Nobody, NotRunReason::None},
        {1, 0, SwitchedOffBy::Windows, NotRunReason::None},
        {2, 1, SwitchedOffBy::Nobody, NotRunReason::None},
        {3, 0, SwitchedOffBy::Nobody, NotRunReason::PackagedTaskOffByPolicy},
        {4, 1, SwitchedOffBy::Nobody, NotRunReason::None},
    };
    for (const Case& expected : cases) {
        SCOPED_TRACE(expected.state);
        DeleteTree(kStartupTaskStatesKey);
        if (expected.state >= 0) SetState(kNotesFamily, "NotesTrayTask", static_cast<DWORD>(expected.state));
        const EntryList entries = Listed();
        ASSERT_EQ(entries.size(), 1u);
        EXPECT_EQ(entries[0].name, "Contoso Notes");
        EXPECT_EQ(entries[0].command, kNotesCommand);
        EXPECT_EQ(entries[0].kind, kPackagedAppTasks);
        EXPECT_EQ(entries[0].active, expected.active);
        EXPECT_EQ(entries[0].offBy, expected.offBy);
        EXPECT_EQ(WhyPackagedTaskWillNotStart(entries[0]), expected.reason);
    }
    EXPECT_EQ(LocationPath(kPackagedAppTasks), std::string("HKEY_CURRENT_USER\\") + kStartupTaskStatesKey);
}

// A refresh reads a manifest again once its file changed, and lists nothing of
// a package whose manifest is gone.
TEST_F(PackagedApps, AManifestChangedSinceTheLastListingIsReadAnew) {
    InstallPackage(kNotesFullName, "contoso-notes.xml", "Contoso Notes");
    ASSERT_EQ(Listed().size(), 1u);
    const std::string manifestPath = FolderOfPackage(kNotesFullName) + "\\AppxManifest.xml";
    std::string manifest =
        testsupport::ReadFileBytes(testsupport::SourcePath("tests/wine/entries/packages/contoso-notes.xml"));
    const size_t at = manifest.find("Tray\\NotesTray.exe");
    ASSERT_NE(at, std::string::npos);
    manifest.replace(at, std::string("Tray\\NotesTray.exe").size(), "Background\\NotesHelper.exe");
    ASSERT_TRUE(WriteBytes(manifestPath, manifest));
    EntryList entries = Listed();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].command, "\"" + FolderOfPackage(kNotesFullName) + "\\Background\\NotesHelper.exe\"");

    ASSERT_TRUE(DeleteFileW(WideFromUtf8(manifestPath).c_str()));
    EXPECT_TRUE(Listed().empty());
}

TEST_F(PackagedApps, EveryStartupTaskOfAManifestIsListedAndNothingElseOfIt) {
    InstallPackage(kNotesFullName, "contoso-notes.xml", "Contoso Notes");
    // The manifest's name is a resource reference: the repository's name is shown.
    InstallPackage(kSyncFullName, "fabrikam-sync.xml", "Fabrikam Sync");
    // A package whose folder has no manifest has no tasks to list.
    SetString(HKEY_CURRENT_USER, std::string(kPackageRepositoryKey) + "\\Gone.App_1.0.0.0_neutral__x1y2z3",
              "PackageRootFolder", "C:\\bmtest\\Program Files\\WindowsApps\\Gone");
    const std::string sync = FolderOfPackage(kSyncFullName);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Contoso Notes", kNotesCommand},
        // A package with two tasks names each: by a plain display name, else by its id.
        {"Fabrikam Sync (Fabrikam helper)", "\"" + sync + "\\Helper\\Helper.exe\""},
        {"Fabrikam Sync (SyncAtLogon)", "\"" + sync + "\\Sync\\FabrikamSync.exe\""},
    };
    EXPECT_EQ(NamesAndCommands(Listed(), kPackagedAppTasks), expected);
    EXPECT_EQ(FindListed("Fabrikam Sync (SyncAtLogon)").active, 0) << "Enabled=\"false\" and no State";
    EXPECT_EQ(FindListed("Fabrikam Sync (Fabrikam helper)").active, 1);

    // The catalogue collects them with the rest.
    size_t collected = 0;
    for (const StartupEntry& entry : CollectAllEntries()) collected += entry.kind == kPackagedAppTasks;
    EXPECT_EQ(collected, 3u);
}

TEST_F(PackagedApps, SwitchingWritesTheStateAsSettingsDoes) {
    InstallPackage(kSyncFullName, "fabrikam-sync.xml", "Fabrikam Sync");
    const std::string name = "Fabrikam Sync (SyncAtLogon)";
    StartupEntry listed = FindListed(name);
    ASSERT_EQ(listed.active, 0);
    ASSERT_EQ(StateOf(kSyncFamily, "SyncAtLogon"), -1);

    ASSERT_TRUE(ReplaceEntry(listed, AnEntry(listed.name, listed.command).Kind(kPackagedAppTasks)).ok());
    EXPECT_EQ(StateOf(kSyncFamily, "SyncAtLogon"), 2);
    listed = FindListed(name);
    EXPECT_EQ(listed.active, 1);

    ASSERT_TRUE(ReplaceEntry(listed, AnEntry(listed.name, listed.command).Kind(kPackagedAppTasks).Active(0)).ok());
    EXPECT_EQ(StateOf(kSyncFamily, "SyncAtLogon"), 1);
    listed = FindListed(name);
    EXPECT_EQ(listed.active, 0);
    EXPECT_EQ(listed.offBy, SwitchedOffBy::Windows);

    ASSERT_TRUE(ReplaceEntry(listed, AnEntry(listed.name, listed.command).Kind(kPackagedAppTasks)).ok());
    EXPECT_EQ(StateOf(kSyncFamily, "SyncAtLogon"), 2);
    EXPECT_EQ(StateOf(kSyncFamily, "HelperTask"), -1) << "the other task of the package is left alone";
}

TEST_F(PackagedApps, NoTaskIsDeletedMadeEditedOrMovedNorOneSetByAPolicySwitched) {
    InstallPackage(kNotesFullName, "contoso-notes.xml", "Contoso Notes");
    const std::string manifest = FolderOfPackage(kNotesFullName) + "\\AppxManifest.xml";
    const std::string manifestBytes = testsupport::ReadFileBytes(manifest);
    enum class Op { Delete, SwitchOff, SwitchOn, Edit, Move, Add };
    struct Case {
        const char* what;
        long long state;
        Op op;
        ChangeReason reason;
    };
    const Case cases[] = {
        {"delete", 2, Op::Delete, ChangeReason::NotDeletable},
        {"delete a switched-off one", 1, Op::Delete, ChangeReason::NotDeletable},
        {"switch off, kept on by a policy", 4, Op::SwitchOff, ChangeReason::SetByPolicy},
        {"switch on, kept off by a policy", 3, Op::SwitchOn, ChangeReason::SetByPolicy},
        {"edit the program", 2, Op::Edit, ChangeReason::OnlySwitched},
        {"move to Run", 2, Op::Move, ChangeReason::OnlySwitched},
        {"add one", 2, Op::Add, ChangeReason::OnlySwitched},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetState(kNotesFamily, "NotesTrayTask", static_cast<DWORD>(c.state));
        const StartupEntry listed = FindListed("Contoso Notes");
        StartupEntry other = listed;
        ChangeResult result;
        switch (c.op) {
            case Op::Delete:
                result = DeleteEntry(listed);
                break;
            case Op::SwitchOff:
            case Op::SwitchOn:
                other.active = c.op == Op::SwitchOn ? 1 : 0;
                other.offBy = SwitchedOffBy::Nobody;
                result = ReplaceEntry(listed, other);
                break;
            case Op::Edit:
                other.command = "C:\\bmtest\\other.exe";
                result = ReplaceEntry(listed, other);
                break;
            case Op::Move:
                other.kind = kUserRun;
                result = ReplaceEntry(listed, other);
                break;
            case Op::Add:
                other.name = "Another app";
                result = AddEntry(other);
                break;
        }
        EXPECT_FALSE(result.ok());
        EXPECT_EQ(result.reason, c.reason);
        EXPECT_EQ(StateOf(kNotesFamily, "NotesTrayTask"), c.state);
        EXPECT_EQ(testsupport::ReadFileBytes(manifest), manifestBytes);
        EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, std::string(kPackageRepositoryKey) + "\\" + kNotesFullName));
    }
    EXPECT_EQ(ValueCount(HKEY_CURRENT_USER, KeyPathOf(kUserRun)), 0u);
}

TEST_F(PackagedApps, ARestoreSwitchesTheTaskAsRecordedAndNeverMakesOne) {
    InstallPackage(kNotesFullName, "contoso-notes.xml", "Contoso Notes");
    SetState(kNotesFamily, "NotesTrayTask", 2);
    StartupEntry recorded = AnEntry("Contoso Notes", kNotesCommand).Kind(kPackagedAppTasks).Active(0);
    recorded.offBy = SwitchedOffBy::Windows;
    EXPECT_FALSE(RestoreMayRemove(FindListed("Contoso Notes"))) << "a restore never deletes one to make room";

    EXPECT_TRUE(RestoreEntry(recorded, CollectAllEntries()).ok());
    EXPECT_EQ(StateOf(kNotesFamily, "NotesTrayTask"), 1);
    recorded.active = 1;
    recorded.offBy = SwitchedOffBy::Nobody;
    EXPECT_TRUE(RestoreEntry(recorded, CollectAllEntries()).ok());
    EXPECT_EQ(StateOf(kNotesFamily, "NotesTrayTask"), 2);

    // A package that is gone is not brought back, nor a state key made for it.
    const StartupEntry gone = AnEntry("Fabrikam Sync (SyncAtLogon)", "C:\\gone\\sync.exe").Kind(kPackagedAppTasks);
    const EntryRestore refused = RestoreEntry(gone, CollectAllEntries());
    EXPECT_FALSE(refused.ok());
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, std::string(kStartupTaskStatesKey) + "\\" + kSyncFamily));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, std::string(kPackageRepositoryKey) + "\\" + kSyncFullName));
}

// --- The documented package calls, answered by a stand-in ------------------

struct StandInLog {
    std::vector<std::string> families;   // asked for their packages
    std::vector<std::string> fullNames;  // asked for their folders
    std::vector<std::string> faults;     // contract broken by the caller
    int pathCalls = 0;
};
StandInLog standInLog;

// Contoso Notes is installed in a newer version than the repository's key
// names, in a folder of its own; Fabrikam Sync is not installed any more.
const wchar_t kNewerNotes[] = L"Contoso.Notes_1.3.0.0_x64__8wekyb3d8bbwe";
const wchar_t kNewerNotesFolder[] = L"C:\\bmtest\\Program Files\\WindowsApps\\Contoso.Notes_1.3.0.0_x64__8wekyb3d8bbwe";

LONG WINAPI StandInPackagesByFamily(PCWSTR family, UINT32* count, PWSTR* fullNames, UINT32* bufferLength,
                                    WCHAR* buffer) {
    if (!family || !count || !bufferLength) return ERROR_INVALID_PARAMETER;
    standInLog.families.push_back(Utf8FromWide(family));
    std::vector<std::wstring> names;
    if (std::wstring(family) == WideFromUtf8(kNotesFamily)) names.push_back(kNewerNotes);
    UINT32 needed = 0;
    for (const std::wstring& name : names) needed += static_cast<UINT32>(name.size() + 1);
    if (*count < names.size() || *bufferLength < needed) {
        if ((*count && !fullNames) || (*bufferLength && !buffer)) standInLog.faults.push_back("length without buffer");
        *count = static_cast<UINT32>(names.size());
        *bufferLength = needed;
        return ERROR_INSUFFICIENT_BUFFER;
    }
    *count = static_cast<UINT32>(names.size());
    *bufferLength = needed;
    WCHAR* at = buffer;
    for (size_t i = 0; i < names.size(); ++i) {
        wmemcpy(at, names[i].c_str(), names[i].size() + 1);
        fullNames[i] = at;
        at += names[i].size() + 1;
    }
    return ERROR_SUCCESS;
}

// Answers the first sized call as if the package had moved to a longer folder
// in between, so that the caller has to ask a second time.
LONG WINAPI StandInPathByFullName(PCWSTR fullName, UINT32* pathLength, PWSTR path) {
    if (!fullName || !pathLength) return ERROR_INVALID_PARAMETER;
    standInLog.fullNames.push_back(Utf8FromWide(fullName));
    if (std::wstring(fullName) != kNewerNotes) return APPMODEL_ERROR_NO_PACKAGE;
    ++standInLog.pathCalls;
    const UINT32 needed = static_cast<UINT32>(wcslen(kNewerNotesFolder) + 1);
    const UINT32 claimed = standInLog.pathCalls == 1 ? needed - 10 : needed;
    if (*pathLength < needed || standInLog.pathCalls == 2) {
        if (*pathLength && !path) standInLog.faults.push_back("path length without buffer");
        *pathLength = standInLog.pathCalls == 2 ? needed : claimed;
        return ERROR_INSUFFICIENT_BUFFER;
    }
    wmemcpy(path, kNewerNotesFolder, needed);
    *pathLength = needed;
    return ERROR_SUCCESS;
}

LONG WINAPI StandInFamilyFromFullName(PCWSTR fullName, UINT32* length, PWSTR family) {
    if (!fullName || !length) return ERROR_INVALID_PARAMETER;
    const std::string full = Utf8FromWide(fullName);
    const std::wstring answer = WideFromUtf8(full.substr(0, full.find('_')) + "_" + full.substr(full.rfind('_') + 1));
    if (*length < answer.size() + 1) {
        *length = static_cast<UINT32>(answer.size() + 1);
        return ERROR_INSUFFICIENT_BUFFER;
    }
    wmemcpy(family, answer.c_str(), answer.size() + 1);
    *length = static_cast<UINT32>(answer.size() + 1);
    return ERROR_SUCCESS;
}

TEST_F(PackagedApps, TheInstalledPackagesAndTheirFoldersComeFromThePackageCalls) {
    InstallPackage(kNotesFullName, "contoso-notes.xml", "Contoso Notes");
    InstallPackage(kSyncFullName, "fabrikam-sync.xml", "Fabrikam Sync");
    // The newer version's manifest starts another program.
    const std::string newer = Utf8FromWide(kNewerNotesFolder);
    MakeFolders(newer);
    std::string manifest =
        testsupport::ReadFileBytes(testsupport::SourcePath("tests/wine/entries/packages/contoso-notes.xml"));
    const size_t at = manifest.find("Tray\\NotesTray.exe");
    ASSERT_NE(at, std::string::npos);
    manifest.replace(at, std::string("Tray\\NotesTray.exe").size(), "NotesTray2.exe");
    ASSERT_TRUE(WriteBytes(newer + "\\AppxManifest.xml", manifest));

    standInLog = StandInLog();
    PackageCalls calls;
    calls.packagesByFamily = StandInPackagesByFamily;
    calls.pathByFullName = StandInPathByFullName;
    calls.familyFromFullName = StandInFamilyFromFullName;
    SetPackageCallsForTests(&calls);

    const EntryList entries = Listed();
    ASSERT_EQ(entries.size(), 1u) << "Fabrikam Sync is no longer installed";
    EXPECT_EQ(entries[0].name, "Contoso Notes");
    EXPECT_EQ(entries[0].command, "\"" + newer + "\\NotesTray2.exe\"");
    std::vector<std::string> families = standInLog.families;
    std::sort(families.begin(), families.end());
    families.erase(std::unique(families.begin(), families.end()), families.end());
    EXPECT_EQ(families, (std::vector<std::string>{kNotesFamily, kSyncFamily}));
    EXPECT_EQ(std::count(standInLog.fullNames.begin(), standInLog.fullNames.end(), Utf8FromWide(kNewerNotes)), 3)
        << "asked for the length, then twice with a buffer as the answer grew";
    EXPECT_TRUE(standInLog.faults.empty()) << standInLog.faults.front();

    // Without the calls, the repository's key names the folder.
    SetPackageCallsForTests(nullptr);
    PackageCalls none;
    SetPackageCallsForTests(&none);
    const EntryList fromRepository = Listed();
    EXPECT_EQ(NamesAndCommands(fromRepository, kPackagedAppTasks).size(), 3u);
}

}  // namespace
