// The information window with real language files in the data folder.
#include "DialogFixture.h"
#include "i18n/TranslationCatalogue.h"
#include "support/WineTestSupport.h"
#include "system/DataFolder.h"
#include "system/ProductNames.h"
#include "ui/ControlIds.h"
#include "ui/InfoWindow.h"

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
    EXPECT_EQ(window.ControlText(kIdInfoRowLabel + 1), GetText(18));
    EXPECT_EQ(window.ControlText(kIdInfoRowValue + 1), "2.5");
    EXPECT_EQ(window.ControlText(kIdInfoRowValue + 3), "Veltmanix");
    EXPECT_EQ(window.ControlText(kIdInfoRowValue + 4), "English");
    EXPECT_EQ(window.ControlText(kIdInfoProgramName), GetText(1));
    EXPECT_EQ(window.ControlText(kIdInfoHomepageLink), GetText(66));

    // The homepage icon turns.
    const int frame = window.AnimationFrame();
    ShowWindow(window.hwnd(), SW_SHOWNOACTIVATE);
    SendMessageA(window.hwnd(), WM_TIMER, 1, 0);
    EXPECT_NE(window.AnimationFrame(), frame);
    ShowWindow(window.hwnd(), SW_HIDE);
    for (int i = 0; i < 3; ++i) DeleteFileA((folder + "Bootmarshal.t0" + std::to_string(i)).c_str());
}

}  // namespace
}  // namespace dialogtest
