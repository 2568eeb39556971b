#include "core/object_kind.h"
#include "res/control_ids.h"
#include "res/dialog_template.h"

namespace mapio::res {
namespace {

using K = ControlKind;
constexpr std::uint32_t kNumberField = kBorder | kTabStop | kNumber | kAutoHScroll;
constexpr std::uint32_t kShowField = kBorder | kTabStop | kReadOnly | kAutoHScroll;
constexpr std::string_view kAdd = "&Add";
constexpr std::string_view kDoNotAdd = "&Do not add";

constexpr ControlTemplate kFileMapControls[] = {
    {kFileIdBox, K::Edit, "", 6, 24, 70, 14, kNumberField},
    {kAddButton, K::DefPushButton, kAdd, 6, 44, 50, 14, kTabStop},
    {kDoNotAddButton, K::PushButton, kDoNotAdd, 63, 44, 50, 14, kTabStop},
    {kFileNameBox, K::Edit, "", 6, 7, 107, 14, kShowField},
    {kFileCounterBox, K::Edit, "", 80, 24, 33, 14, kShowField},
};

constexpr ControlTemplate kKitMapControls[] = {
    {kKitIdBox, K::Edit, "", 7, 25, 70, 14, kNumberField},
    {kAddButton, K::DefPushButton, kAdd, 7, 56, 50, 14, kTabStop},
    {kDoNotAddButton, K::PushButton, kDoNotAdd, 63, 56, 50, 14, kTabStop},
    {kHomeButton, K::AutoRadioButton, kKitKindNames[0], 7, 43, 33, 10, kGroup},
    {kAwayButton, K::AutoRadioButton, kKitKindNames[1], 45, 43, 33, 10, 0},
    {kThirdButton, K::AutoRadioButton, kKitKindNames[2], 82, 43, 31, 10, 0},
    {kKitNameBox, K::Edit, "", 7, 7, 107, 14, kShowField},
    {kKitCounterBox, K::Edit, "", 81, 25, 33, 14, kShowField},
};

constexpr DialogTemplate kFileMap{kFileMapDialog, "Select ID for file", 120, 65, false,
                                  false,          kFileMapControls};
constexpr DialogTemplate kKitMap{kKitMapDialog, "Select ID for kit", 121, 77, false,
                                 false,         kKitMapControls};

}  // namespace

const DialogTemplate& FileMapTemplate() { return kFileMap; }
const DialogTemplate& KitMapTemplate() { return kKitMap; }

}  // namespace mapio::res
