#include "DialogFixture.h"

#include "blocking/BlockList.h"
#include "i18n/TranslationCatalogue.h"
#include "support/WineTestSupport.h"
#include "system/DataFolder.h"
#include "system/ProductNames.h"
#include "system/RegistryValues.h"
#include "system/TextRules.h"
#include "ui/dialogs/RestoreDialog.h"
#include "ui/win/TextNumbers.h"

namespace dialogtest {

void DialogTest::SetUp() {
    LocationsTest::SetUp();
    PrepareDataFolder(kBaseName, false);
    const std::string english = testsupport::ReadFileBytes(testsupport::SourcePath("lang\\Bootmarshal.t01"));
    ASSERT_FALSE(english.empty());
    ASSERT_TRUE(testsupport::WriteFileBytes(DataFolder(kBaseName) + "Bootmarshal.def", english));
    LoadTranslation(kBaseName);
    ASSERT_EQ(GetText(Text::LanguageName), "English");
    DeleteFileA((DataFolder(kBaseName) + kBlockListFileName).c_str());
    LoadBlockList();
    SaveBlockList();
    SetPromptResponderForTests([this](const PromptRecord&) { return answer_; });
}

void DialogTest::TearDown() {
    SetPromptResponderForTests(nullptr);
    DeleteFileA((DataFolder(kBaseName) + kBlockListFileName).c_str());
    LoadBlockList();
    SetBlockCheckRun(false);
    LocationsTest::TearDown();
}

void BackupDialogTest::SetUp() {
    DialogTest::SetUp();
    parser_.Codec = &codec_;
    file_ = DefaultBackupFile();
    RemoveFile();
    store_ = std::make_unique<BackupStore>(parser_, file_);
    ui::AttachBackupStore(store_.get());
}

void BackupDialogTest::TearDown() {
    ui::AttachBackupStore(nullptr);
    RemoveFile();
    DialogTest::TearDown();
}

void BackupDialogTest::RemoveFile() {
    RemoveDirectoryA(file_.c_str());
    DeleteFileA(file_.c_str());
}

std::vector<std::string> DialogTest::Prompts() {
    std::vector<std::string> texts;
    for (const PromptRecord& record : TakeRecordedPrompts()) {
        if (record.kind == PromptKind::Message || record.kind == PromptKind::Question) texts.push_back(record.text);
        if (record.kind == PromptKind::InfoMessage) texts.push_back(record.detail);
    }
    return texts;
}

StartupEntry DialogTest::Find(const std::string& name) {
    StartupEntry found;
    int matches = 0;
    for (const StartupEntry& entry : CollectAllEntries()) {
        if (entry.name == name) {
            found = entry;
            ++matches;
        }
    }
    EXPECT_LE(matches, 1) << name;
    return found;
}

std::string DialogTest::Plain(const std::string& command) {
    std::string plain;
    for (char c : command) {
        if (c != '"') plain += c;
    }
    return Trim(plain);
}

void DialogTest::Click(HWND dialog, int id) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool DenyMachineKeys(HKEY root, const std::string&) { return root == HKEY_LOCAL_MACHINE; }

}  // namespace dialogtest
