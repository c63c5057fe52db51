// What the main window tells a screen reader: every owner-drawn button with
// its caption and role, the entry list line by line with each entry's state,
// and the details' texts with their captions.
#include <oleacc.h>

#include "i18n/TranslationCatalogue.h"
#include "ui/main/MainWindow.h"
#include "ui/main/MainWindowLayout.h"
#include "ui/win/Accessible.h"

namespace ui {

void MainWindow::ServeAccessibility() {
    for (const int id : ribbon_.ControlIds()) {
        HWND control = Control(id);
        if (ribbon_.IsTab(id)) {
            ServeAccessible(control, ButtonSource(control, ROLE_SYSTEM_PAGETAB, [this, id] {
                                return STATE_SYSTEM_SELECTABLE | (ribbon_.IsChosenTab(id) ? STATE_SYSTEM_SELECTED : 0);
                            }));
        } else {
            ServeAccessible(control, ButtonSource(control, ROLE_SYSTEM_PUSHBUTTON, [this, id] {
                                return ribbon_.IsChecked(id) ? STATE_SYSTEM_CHECKED : 0;
                            }));
        }
    }
    for (const ButtonCommand& button : kDetailsButtons) {
        ServeAccessible(Control(button.id), ButtonSource(Control(button.id), ROLE_SYSTEM_PUSHBUTTON));
    }
    for (const int id : kInfoImageIds) ServeAccessible(Control(id), ButtonSource(Control(id), ROLE_SYSTEM_PUSHBUTTON));
    for (const bool sources : {true, false}) {
        const int id = sources ? kIdSourcesToggle : kIdInformationToggle;
        ServeAccessible(Control(id), ButtonSource(Control(id), ROLE_SYSTEM_PUSHBUTTON, [this, sources] {
                            return (sources ? sourcesShown_ : informationShown_) ? STATE_SYSTEM_EXPANDED
                                                                                 : STATE_SYSTEM_COLLAPSED;
                        }));
    }
    for (size_t filter = 0; filter < LocationFilters().size(); ++filter) {
        HWND box = Control(kIdFilterFirst + static_cast<int>(filter));
        ServeAccessible(box, ButtonSource(box, ROLE_SYSTEM_CHECKBUTTON, [box] {
                            return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED ? STATE_SYSTEM_CHECKED : 0;
                        }));
    }

    ServeAccessible(list_, ListSource(list_, Control(kIdEntriesGroup), [this](int line) {
                        AccessibleFacts facts;
                        if (line < 0 || line >= static_cast<int>(model_.LineCount())) return facts;
                        facts.name = model_.Lines()[static_cast<size_t>(line)].text;
                        // Active or switched off, and by whom: what the details' status says.
                        facts.description = StatusText(model_.EntryForLine(line), GetText);
                        return facts;
                    }));

    // Labels, headings and group boxes: the platform's proxy gives them no role everywhere.
    for (const int id : {kIdSourcesHeading, kIdInformationHeading, kIdGroupLabelFolders, kIdGroupLabelRegistry,
                         kIdGroupLabelWinIni, kIdGroupLabelTasks, kIdLegend, kIdLegendWillNotRun, kIdNameCaption,
                         kIdCommandCaption, kIdMakerCaption, kIdFilterCaption, kIdLogonCheckText}) {
        ServeAccessible(Control(id), LabelSource(Control(id), ROLE_SYSTEM_STATICTEXT));
    }
    for (const int id : {kIdEntriesGroup, kIdDetailsGroup, kIdStatusGroup, kIdLocationGroup}) {
        ServeAccessible(Control(id), LabelSource(Control(id), ROLE_SYSTEM_GROUPING));
    }

    const std::pair<int, int> captioned[] = {
        {kIdNameText, kIdNameCaption},   {kIdCommandText, kIdCommandCaption}, {kIdStatusText, kIdStatusGroup},
        {kIdReasonText, kIdStatusGroup}, {kIdLocationText, kIdLocationGroup}, {kIdTipText, kIdInformationHeading},
        {kIdMakerText, kIdMakerCaption},
    };
    for (const auto& [text, caption] : captioned) {
        ServeAccessible(Control(text), CaptionedTextSource(Control(text), Control(caption)));
    }
}

}  // namespace ui
