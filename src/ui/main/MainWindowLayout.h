// What the main window's files share: its measures at 96 DPI, its colours and
// the details buttons with their commands. Only the main window includes it.
#pragma once
#include <windows.h>

#include "ui/main/CommandsModel.h"
#include "ui/main/Ribbon.h"
#include "ui/win/ControlIds.h"
#include "ui/win/Pictures.h"
#include "ui/win/TextNumbers.h"

namespace ui {

constexpr int kClientWidth = 826;
constexpr int kClientHeight = 662;
constexpr int kSidePanelWidth = 241;
constexpr int kStatusBarHeight = 20;
constexpr int kListLineHeight = 16;
// Posted by the first paint: who made the selected program is read only then.
constexpr UINT kMakerAfterFirstPaint = WM_APP + 41;

// Side panel.
constexpr int kSourcesHeadingTop = Ribbon::kHeight96 + 6;
constexpr int kHeadingHeight = 22;
constexpr int kInformationHeadingTop = 500;
constexpr int kFilterRowHeight = 17;

// The side panel's heading bars and edge line, the details' texts.
constexpr COLORREF kHeadingTop = RGB(96, 140, 205);
constexpr COLORREF kHeadingBottom = RGB(60, 100, 170);
constexpr COLORREF kPanelLine = RGB(200, 212, 230);
constexpr COLORREF kDetailsBlue = RGB(0, 0, 255);
constexpr COLORREF kReasonColour = RGB(200, 0, 0);

struct ButtonCommand {
    int id;
    Command command;
    Picture picture;
    int captionText;
};
inline constexpr ButtonCommand kDetailsButtons[] = {
    {kIdDeleteButton, Command::DeleteEntry, Picture::Delete, Text::DeleteEntry},
    {kIdChangeButton, Command::ChangeEntry, Picture::Change, Text::ChangeEntry},
    {kIdLaunchButton, Command::LaunchEntry, Picture::Launch, Text::LaunchEntry},
    {kIdBlockButton, Command::BlockEntry, Picture::Block, Text::BlockEntry},
    {kIdSwitchButton, Command::SwitchEntry, Picture::Switch, Text::ChangeLink},
    {kIdMoveButton, Command::MoveEntry, Picture::Move, Text::ChangeOrInfo},
};

inline const ButtonCommand* FindDetailsButton(int id) {
    for (const ButtonCommand& button : kDetailsButtons) {
        if (button.id == id) return &button;
    }
    return nullptr;
}

inline constexpr int kGroupLabelIds[] = {kIdGroupLabelFolders, kIdGroupLabelRegistry, kIdGroupLabelWinIni,
                                         kIdGroupLabelTasks};
inline constexpr int kInfoImageIds[] = {kIdInfoImageFolders, kIdInfoImageRegistry, kIdInfoImageWinIni,
                                        kIdInfoImageTasks};

}  // namespace ui
