#include "res/control_ids.h"
#include "res/dialog_template.h"

namespace mapio::res {
namespace {

constexpr ControlTemplate kEditControls[] = {
    {kSaveButton, ControlKind::PushButton, "&Save", 267, 202, 50, 14, kTabStop},
    {kEditorCloseButton, ControlKind::PushButton, "&Close", 322, 202, 50, 14, kTabStop},
    {kXmlTextBox, ControlKind::TextEditor, "", 7, 7, 365, 191, kVScroll | kBorder},
};

constexpr DialogTemplate kEditXml{kEditXmlDialog, "Edit XML file", 379,          223,
                                  false,          false,           kEditControls};

constexpr ControlTemplate kFindControls[] = {
    {kNoId, ControlKind::Static, "Find what:", 7, 9, 40, 8, kLeft},
    {kFindTextBox, ControlKind::Edit, "", 48, 7, 136, 14, kBorder | kAutoHScroll | kTabStop},
    {kMatchCaseBox, ControlKind::AutoCheckBox, "Match &case", 48, 26, 80, 10, kTabStop},
    {kFindNextButton, ControlKind::DefPushButton, "Find &next", 191, 7, 56, 14, kTabStop},
    {kFindPreviousButton, ControlKind::PushButton, "Find &previous", 191, 24, 56, 14, kTabStop},
    {kFindCloseButton, ControlKind::PushButton, "Close", 191, 41, 56, 14, kTabStop},
};

constexpr DialogTemplate kFind{kFindDialog, "Find", 254, 62, false, false, kFindControls};

constexpr ControlTemplate kGoToLineControls[] = {
    {kNoId, ControlKind::Static, "Line number:", 7, 9, 50, 8, kLeft},
    {kLineNumberBox, ControlKind::Edit, "", 58, 7, 95, 14,
     kBorder | kAutoHScroll | kNumber | kTabStop},
    {kGoToButton, ControlKind::DefPushButton, "&Go to", 49, 29, 50, 14, kTabStop},
    {kGoToCancelButton, ControlKind::PushButton, "Cancel", 103, 29, 50, 14, kTabStop},
};

constexpr DialogTemplate kGoToLine{kGoToLineDialog, "Go to line",     160, 50, false,
                                   false,           kGoToLineControls};

}  // namespace

const DialogTemplate& EditXmlTemplate() { return kEditXml; }
const DialogTemplate& FindTemplate() { return kFind; }
const DialogTemplate& GoToLineTemplate() { return kGoToLine; }

}  // namespace mapio::res
