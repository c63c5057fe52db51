// The information window with real language files in the data folder.
#include <algorithm>

#include "DialogFixture.h"
#include "i18n/TranslationCatalogue.h"
#include "support/WineTestSupport.h"
#include "system/DataFolder.h"
#include "system/ProductNames.h"
#include "ui/dialogs/InfoWindow.h"
#include "ui/win/ControlIds.h"
#include "ui/win/TextNumbers.h"

namespace dialogtest {
namespace {

class InfoWindowTest : public DialogTest {};

TEST_F(InfoWindowTest, TheLanguageInUseIsSelectedAndTheTableShowsItsRows) {
    const std::string folder = DataFolder(kBaseName);
    for (int i = 0; i < 3; ++i) {
        const std::string leaf = "lang\\Bootmarshal.t0" + std::to_string(i);
        ASSERT_TRUE(testsupport::WriteFileBytes(folder + "Bootmarshal.t0" + std::to_string(i),
                                                testsupport::ReadFileBytes(testsupport::SourcePath(leaf))));
    }
    ui::InfoWindow& window = ui::TheInfoWindow();
    window.Create();
    for (int twice = 0; twice < 2; ++twice) window.FillContents();
    HWND list = GetDlgItem(window.hwnd(), kIdInfoLanguageList);
    ASSERT_EQ(SendMessageA(list, CB_GETCOUNT, 0, 0), 3) << "each language once";
    EXPECT_EQ(SendMessageA(list, CB_GETCURSEL, 0, 0), 1) << "English is in use";
    EXPECT_EQ(window.ControlText(kIdInfoVersionLabel), GetText(Text::VersionRow));
    EXPECT_EQ(window.ControlText(kIdInfoVersionValue), "2.5");
    EXPECT_EQ(window.ControlText(kIdInfoPublisherValue), "Veltmanix");
    EXPECT_EQ(window.ControlText(kIdInfoLanguageValue), "English");
    EXPECT_EQ(window.ControlText(kIdInfoProgramName), GetText(Text::ProgramName));
    EXPECT_EQ(window.ControlText(kIdInfoHomepageLink), GetText(Text::HomepageLink));

    // The homepage icon turns.
    const int frame = window.AnimationFrame();
    ShowWindow(window.hwnd(), SW_SHOWNOACTIVATE);
    SendMessageA(window.hwnd(), WM_TIMER, 1, 0);
    EXPECT_NE(window.AnimationFrame(), frame);
    ShowWindow(window.hwnd(), SW_HIDE);
    for (int i = 0; i < 3; ++i) DeleteFileA((folder + "Bootmarshal.t0" + std::to_string(i)).c_str());
}

TEST_F(InfoWindowTest, TheIconAndTheHomepageLinkOpenTheHomepageAndTheMailLinkAMailAddress) {
    // Wine hands web and mailto addresses to the programs these values name.
    const std::string recorder = BM_SOURCE_DIR "/tests/wine/ui/main/record-address.sh";
    const std::string log = "C:\\bm-addresses.log";
    DeleteFileA(log.c_str());
    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, "Software\\Wine\\WineBrowser", "Browsers", recorder));
    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, "Software\\Wine\\WineBrowser", "Mailers", recorder));
    ui::InfoWindow& window = ui::TheInfoWindow();
    window.Create();
    for (int id : {kIdInfoHomepageIcon, kIdInfoHomepageLink, kIdInfoMailLink}) Click(window.hwnd(), id);
    std::string lines;
    for (int i = 0; i < 100 && std::count(lines.begin(), lines.end(), '\n') < 3; ++i) {
        Sleep(100);
        lines = testsupport::ReadFileBytes(log);
    }
    // Each address opens in a process of its own: their order is not fixed.
    std::vector<std::string> addresses;
    for (size_t start = 0, end; (end = lines.find('\n', start)) != std::string::npos; start = end + 1) {
        addresses.push_back(lines.substr(start, end - start));
    }
    std::sort(addresses.begin(), addresses.end());
    EXPECT_EQ(addresses, (std::vector<std::string>{GetText(Text::HomepageAddress), GetText(Text::HomepageAddress),
                                                   "mailto:" + GetText(Text::SupportMailAddress)}));
}

}  // namespace
}  // namespace dialogtest
