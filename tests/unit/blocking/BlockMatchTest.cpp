// Quoted and unquoted forms of one command meet one block-list line.
#include <gtest/gtest.h>

#include "blocking/BlockMatch.h"

namespace {

TEST(BlockMatch, QuotesAroundTheProgramAndOuterBlanksMakeNoOtherCommand) {
    struct Case {
        const char* command;
        const char* form;
    } cases[] = {
        {"C:\\bad\\bad.exe", "C:\\bad\\bad.exe"},
        {"\"C:\\bad\\bad.exe\"", "C:\\bad\\bad.exe"},
        {"  \"C:\\bad\\bad.exe\" \t", "C:\\bad\\bad.exe"},
        {"\"C:\\Program Files\\a b.exe\"  -q /x", "C:\\Program Files\\a b.exe -q /x"},
        {"C:\\Program Files\\a b.exe -q /x", "C:\\Program Files\\a b.exe -q /x"},
        {"\"C:\\a.exe\"-q", "C:\\a.exe-q"},
        {"\"C:\\unclosed.exe -q", "\"C:\\unclosed.exe -q"},
        {"C:\\a.exe \"quoted argument\"", "C:\\a.exe \"quoted argument\""},
        {"\"\"", ""},
        {"", ""},
        {"   ", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(BlockMatchForm(c.command), c.form) << c.command;
}

}  // namespace
