#include "res/control_ids.h"
#include "res/dialog_template.h"
#include "res/version.h"

namespace mapio::res {
namespace {

// Three lines, centred under the version line.
constexpr std::string_view kNotice =
    "Makes config.xml mapping files\n"
    "and renames pictures to IDs.\n"
    "Free software, no warranty.";

constexpr ControlTemplate kAboutControls[] = {
    {kNoId, ControlKind::StaticIcon, "128", 11, 17, 21, 20, 0},
    {kNoId, ControlKind::Static, "Mapio Version " MAPIO_VERSION, 40, 10, 119, 8,
     kLeft | kNoPrefix | kGroup},
    {kNoId, ControlKind::Static, kNotice, 40, 22, 119, 23, kCenter | kGroup},
    {kAboutOkButton, ControlKind::DefPushButton, "OK", 178, 7, 50, 16, kTabStop | kGroup},
};

constexpr DialogTemplate kAbout{kAboutDialog, "About Mapio", 235, 58, false, false, kAboutControls};

}  // namespace

const DialogTemplate& AboutTemplate() { return kAbout; }

}  // namespace mapio::res
