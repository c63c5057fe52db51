// The ";"-separated win.ini lists as text.
#include <gtest/gtest.h>

#include "entries/WinIniList.h"

namespace {

using Items = std::vector<std::string>;

TEST(SplitWinIniList, EndsItemsAtEachSemicolonAndAtTheLastCharacter) {
    const struct {
        const char* list;
        Items items;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a.exe;B.EXE", {"a.exe", "B.EXE"}},
        {"a;", {"a"}},  // no empty item at the end
        {";", {""}},
        {";;", {"", ""}},
        {";a;;b", {"", "a", "", "b"}},
        {"a;;", {"a", ""}},
        {" a ; \"b c\" ", {" a ", " \"b c\" "}},  // taken as they stand
        {"\xE4;\xFF", {"\xE4", "\xFF"}},
    };
    for (const auto& c : cases) EXPECT_EQ(SplitWinIniList(c.list), c.items) << c.list;
}

TEST(AppendToWinIniList, AddsAfterASemicolonOrClears) {
    const struct {
        const char* list;
        const char* item;
        const char* result;
    } cases[] = {
        {"", "C:\\Z.EXE", "C:\\Z.EXE"},
        {"C:\\X.EXE", "C:\\Z.EXE", "C:\\X.EXE;C:\\Z.EXE"},
        {"", "", ""},
        {"a", "", "a;"},
        {"a;b", "intern_clear", ""},
        {"", "intern_clear", ""},
        {"a", "INTERN_CLEAR", "a;INTERN_CLEAR"},
        {"a", "intern_clear ", "a;intern_clear "},
    };
    for (const auto& c : cases) EXPECT_EQ(AppendToWinIniList(c.list, c.item), c.result) << c.list << "+" << c.item;
}

TEST(WinIniListWithout, DropsEveryExactCopyAndKeepsTheRest) {
    const struct {
        const char* list;
        const char* item;
        const char* result;
    } cases[] = {
        {"C:\\X.EXE;C:\\Y.EXE;C:\\X.EXE", "C:\\X.EXE", "C:\\Y.EXE"},
        {"C:\\X.EXE;C:\\Y.EXE;C:\\X.EXE", "c:\\x.exe", "C:\\X.EXE;C:\\Y.EXE;C:\\X.EXE"},
        {";a;;b;", "b", "a;"},  // the leading empty item is lost, an inner one stays
        {";a;;b", "x", "a;;b"},
        {"a;;", "a", ""},  // "" appended to an empty list adds nothing
        {"a", "a", ""},
        {"", "a", ""},
        {"a;;b", "", "a;b"},  // an empty text removes the empty items
        {"a;intern_clear;b", "b", "a;intern_clear"},
        {"a;intern_clear;b", "intern_clear", "a;b"},
    };
    for (const auto& c : cases) EXPECT_EQ(WinIniListWithout(c.list, c.item), c.result) << c.list << "-" << c.item;
}

TEST(WinIniListWithout, GivesTheSameListAsRemovingThroughAppends) {
    // The list is rebuilt exactly as appending every kept item to an emptied list
    // would build it, except that a kept "intern_clear" stays an item.
    const char* const lists[] = {";a;;b;", "a;b;c", ";;", "x;;;y;", "", ";x"};
    const char* const items[] = {"a", "b", "", "x", "z"};
    for (const char* list : lists) {
        for (const char* item : items) {
            std::string rebuilt;
            for (const std::string& kept : SplitWinIniList(list)) {
                if (kept != item) rebuilt = AppendToWinIniList(rebuilt, kept);
            }
            EXPECT_EQ(WinIniListWithout(list, item), rebuilt) << list << "-" << item;
        }
    }
}

}  // namespace
