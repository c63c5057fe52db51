// Ground for the dialog tests: every fourteen locations empty (as for the entry
// tests), the English texts loaded, every prompt answered in-process and
// recorded, the block list and its autostart value empty.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "backup/BackupStore.h"
#include "entries/EntryCatalogue.h"
#include "entries/EntryChange.h"
#include "i18n/TranslationCatalogue.h"
#include "system/DataFolder.h"
#include "system/RegistryValues.h"
#include "ui/prompts/Prompts.h"
#include "wine/entries/LocationsFixture.h"
#include "xml/XmlCodec.h"
#include "xml/XmlParser.h"

namespace dialogtest {

using entrytest::AnEntry;

class DialogTest : public entrytest::LocationsTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // The texts of the prompts shown since the last call (questions answered by answer_).
    std::vector<std::string> Prompts();
    // The one entry of all locations with that name, or an entry of kind 0.
    static StartupEntry Find(const std::string& name);
    static size_t EntryCount() { return CollectAllEntries().size(); }
    // A command without quotation marks and outer blanks: the stored forms of
    // the three families differ only so (quoted program, link path and arguments).
    static std::string Plain(const std::string& command);
    // Clicks a control of a window as the user would, through its parent.
    static void Click(HWND dialog, int id);

    bool answer_ = true;
};

// The same ground with a backup store of its own on the default backup file,
// which is absent at the start and removed at the end (a folder in its place
// too), and attached to the backup manager.
class BackupDialogTest : public DialogTest {
protected:
    void SetUp() override;
    void TearDown() override;
    void RemoveFile();
    std::vector<Snapshot>& Snapshots() { return store_->List().Snapshots; }

    TXMLCodec codec_;
    TXMLParser parser_;
    std::string file_;
    std::unique_ptr<BackupStore> store_;
};

// A registry write denial for the local machine's keys.
bool DenyMachineKeys(HKEY root, const std::string& keyPath);

}  // namespace dialogtest
