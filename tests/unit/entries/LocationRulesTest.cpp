// What the locations can store, as plain text rules.
#include <gtest/gtest.h>

#include "entries/LocationRules.h"

namespace {

TEST(IsStorableLinkName, RefusesNamesThatLeaveTheFolderOrFail) {
    const struct {
        std::string name;
        bool storable;
    } cases[] = {
        {"Tool", true},
        {"Tool 2.0", true},
        {"", true},
        {"sub\\tool", false},
        {"a/b", false},
        {"Update: x", false},
        {"a*", false},
        {"a?", false},
        {"say \"hi\"", false},
        {"<x>", false},
        {"a|b", false},
        {"tab\there", false},
        {".", false},
        {"..", false},
        {"CON", false},
        {"con.txt", false},
        {"Nul ", false},
        {"COM1", false},
        {"lpt9.log", false},
        {"COM0", true},
        {"CONSOLE", true},
        {std::string(250, 'x'), false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsStorableLinkName(c.name, 8), c.storable) << c.name;
    EXPECT_TRUE(IsStorableLinkName(std::string(247, 'x'), 8)) << "8 + 247 + 4 = 259";
    EXPECT_FALSE(IsStorableLinkName(std::string(248, 'x'), 8));
}

TEST(IsStorableWinIniItem, RefusesWhatWouldBeStoredAsSomethingElse) {
    EXPECT_TRUE(IsStorableWinIniItem("C:\\x.exe /a"));
    EXPECT_TRUE(IsStorableWinIniItem("Intern_Clear"));
    EXPECT_FALSE(IsStorableWinIniItem("C:\\x.exe;C:\\y.exe"));
    EXPECT_FALSE(IsStorableWinIniItem("intern_clear"));
    EXPECT_FALSE(IsStorableWinIniItem("a\r\nb"));
    EXPECT_FALSE(IsStorableWinIniItem(""));
}

// The tests run in a Western code page (1252) in both trees.
TEST(IsStorableWinIniItem, RefusesWhatTheCodePageCannotHold) {
    EXPECT_TRUE(IsStorableWinIniItem("C:\\\xC3\x84pfel\\x.exe \xE2\x82\xAC"));  // Ä and the euro sign
    EXPECT_FALSE(IsStorableWinIniItem("C:\\\xD0\x9F\\x.exe"));                  // Cyrillic П
    EXPECT_FALSE(IsStorableWinIniItem("C:\\\xE4\xB8\xAD.exe"));                 // CJK
    EXPECT_FALSE(IsStorableWinIniItem("C:\\\xF0\x9F\x9A\x80.exe"));             // an emoji
    EXPECT_FALSE(IsStorableWinIniItem("C:\\\xC4\x80.exe"));                     // Ā has only a look-alike
    EXPECT_FALSE(IsStorableWinIniItem("C:\\\xED\xA0\x80.exe"));                 // a lone surrogate
}

}  // namespace
