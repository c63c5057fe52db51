// Who made a program, read from real files: the product's own executable has a
// version resource, this test program has none, and a missing file has nothing.
#include <windows.h>

#include <gtest/gtest.h>

#include "support/WineTestSupport.h"
#include "system/ProgramMaker.h"
#include "system/Utf8.h"

namespace {

std::string ThisProgram() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return Utf8FromWide(std::wstring(path, length));
}

TEST(ProgramMaker, TheProductsOwnResourceNamesItsMaker) {
    const ProgramMaker maker = ReadProgramMaker(testsupport::ProductPath("Bootmarshal.exe"));
    ASSERT_TRUE(maker.found);
    EXPECT_EQ(maker.product, "Bootmarshal");
    EXPECT_EQ(maker.company, "Veltmanix");
    EXPECT_EQ(maker.description, "Bootmarshal - manages the programs Windows starts at logon");
    EXPECT_EQ(ProgramMakerLine(maker),
              "Bootmarshal (Bootmarshal - manages the programs Windows starts at logon), Veltmanix");
}

TEST(ProgramMaker, AProgramWithoutResourceAndAMissingFileHaveNone) {
    for (const std::string& file : {ThisProgram(), std::string("C:\\bmtest\\gone\\missing.exe")}) {
        const ProgramMaker maker = ReadProgramMaker(file);
        EXPECT_FALSE(maker.found) << file;
        EXPECT_EQ(ProgramMakerLine(maker), "") << file;
    }
}

TEST(ProgramMaker, TheCacheReadsEachFileOnceWhateverItsCase) {
    ProgramMakerCache cache;
    const std::string product = testsupport::ProductPath("Bootmarshal.exe");
    std::string upper = product;
    for (char& c : upper) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(cache.Of(product).company, "Veltmanix");
    EXPECT_EQ(cache.Of(upper).company, "Veltmanix");
    EXPECT_FALSE(cache.Of(ThisProgram()).found);
    EXPECT_EQ(cache.FilesRead(), 2u);
}

TEST(ProgramMaker, TheLineLeavesOutWhatTheResourceLacks) {
    struct Case {
        ProgramMaker maker;
        const char* line;
    };
    const Case cases[] = {
        {{true, "Tool", "Tool", "Maker"}, "Tool, Maker"},
        {{true, "", "Updater", ""}, "Updater"},
        {{true, "", "", "Maker"}, "Maker"},
        {{true, "Suite", "Helper", ""}, "Suite (Helper)"},
    };
    for (const Case& c : cases) EXPECT_EQ(ProgramMakerLine(c.maker), c.line);
}

}  // namespace
