#include "res/control_ids.h"
#include "res/dialog_template.h"

namespace mapio::res {
namespace {

constexpr ControlTemplate kEditControls[] = {
    {kSaveButton, ControlKind::PushButton, "&Save", 267, 202, 50, 14, kTabStop},
    {kEditorCloseButton, ControlKind::PushButton, "&Close", 322, 202, 50, 14, kTabStop},
    {kXmlTextBox, ControlKind::RichEdit, "", 7, 7, 365, 191,
     kMultiline | kWantReturn | kAutoHScroll | kVScroll | kBorder},
};

constexpr DialogTemplate kEditXml{kEditXmlDialog, "Edit XML file", 379,          223,
                                  false,          false,           kEditControls};

}  // namespace

const DialogTemplate& EditXmlTemplate() { return kEditXml; }

}  // namespace mapio::res
