#include "core/mapping_messages.h"
#include "core/object_kind.h"
#include "res/control_ids.h"
#include "res/dialog_template.h"

namespace mapio::res {
namespace {

using K = ControlKind;

constexpr std::string_view Button(ObjectKind kind) { return KindOf(kind).buttonText; }

// Template order is the tab order and the order of the radio groups: the
// object group runs from the faces button to the end, the hidden backgrounds
// included, one button per kind in the kinds' order.
// clang-format off
constexpr ControlTemplate kMainControls[] = {
    {kPathBox, K::Edit, "", 7, 7, 188, 14, kBorder | kAutoHScroll | kTabStop},
    {kBrowseButton, K::PushButton, "&Browse", 201, 7, 50, 14, kTabStop},
    {kMakeButton, K::AutoRadioButton, "&Make config.xml file", 15, 35, 79, 10, kGroup},
    {kTranslateButton, K::AutoRadioButton, "&Translate file names to IDs", 119, 35, 101, 10, 0},
    {kFacesButton, K::AutoRadioButton, Button(Faces), 15, 68, 33, 10, kGroup},
    {kKitsButton, K::AutoRadioButton, Button(Kits), 15, 84, 27, 10, 0},
    {kNationLogosButton, K::AutoRadioButton, Button(NationLogos), 15, 100, 55, 10, 0},
    {kCompetitionLogosButton, K::AutoRadioButton, Button(CompetitionLogos), 119, 68, 71, 10, 0},
    {kClubLogosButton, K::AutoRadioButton, Button(ClubLogos), 119, 84, 47, 10, 0},
    {kAllFilenamesAreIdsBox, K::AutoCheckBox, "&All filenames are IDs", 15, 132, 81, 10, kTabStop},
    {kProcessDroppedFoldersBox, K::AutoCheckBox, "&Process draged folders", 119, 132, 89, 10, kTabStop},
    {kGoButton, K::DefPushButton, "&GO!", 145, 155, 50, 16, kTabStop},
    {kEditXmlButton, K::PushButton, "Edit &XML", 7, 155, 50, 16, kTabStop},
    {kCheckButton, K::PushButton, "C&heck", 63, 155, 50, 16, kTabStop},
    {kStadiumBackgroundsButton, K::AutoRadioButton, Button(StadiumBackgrounds), 168, 24, 83, 10, kHidden},
    {kClubBackgroundsButton, K::AutoRadioButton, Button(ClubBackgrounds), 168, 37, 71, 10, kHidden},
    {kPlayerBackgroundsButton, K::AutoRadioButton, Button(PlayerBackgrounds), 168, 50, 79, 10, kHidden},
    {kCompBackgroundsButton, K::AutoRadioButton, Button(CompBackgrounds), 168, 63, 75, 10, kHidden},
    {kNationBackgroundsButton, K::AutoRadioButton, Button(NationBackgrounds), 168, 76, 79, 10, kHidden},
    {kDefaultBackgroundsButton, K::AutoRadioButton, Button(DefaultBackgrounds), 168, 89, 81, 10, kHidden},
    {kNoId, K::GroupBox, "Object", 7, 55, 244, 63, 0},
    {kNoId, K::GroupBox, "Action", 7, 24, 244, 28, 0},
    {kNoId, K::GroupBox, "Options", 7, 120, 244, 29, 0},
    {kCloseButton, K::PushButton, "Clos&e", 201, 155, 50, 16, kTabStop},
};
// clang-format on

constexpr DialogTemplate kMain{kMainDialog,      kApplicationName,  258, 178, true, true,
                               kMainControls,
                               /*visible=*/true, /*appWindow=*/true};

}  // namespace

const DialogTemplate& MainTemplate() { return kMain; }

}  // namespace mapio::res
