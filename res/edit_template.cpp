#include "res/dialog_template.h"

namespace mapio::res {
namespace {

constexpr ControlTemplate kEditControls[] = {
    {1, ControlKind::PushButton, "&Save", 267, 202, 50, 14, kTabStop},
    {2, ControlKind::PushButton, "&Close", 322, 202, 50, 14, kTabStop},
    {1028, ControlKind::RichEdit, "", 7, 7, 365, 191,
     kMultiline | kWantReturn | kAutoHScroll | kVScroll | kBorder},
};

constexpr DialogTemplate kEditXml{134, "Edit XML file", 379, 223, false, false, kEditControls};

}  // namespace

const DialogTemplate& EditXmlTemplate() { return kEditXml; }

}  // namespace mapio::res
