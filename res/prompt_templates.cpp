#include "res/dialog_template.h"

namespace mapio::res {
namespace {

using K = ControlKind;
constexpr std::uint32_t kNumberField = kBorder | kTabStop | kNumber | kAutoHScroll;
constexpr std::uint32_t kShowField = kBorder | kTabStop | kReadOnly | kAutoHScroll;

constexpr ControlTemplate kFileMapControls[] = {
    {1012, K::Edit, "", 6, 24, 70, 14, kNumberField},
    {1, K::DefPushButton, "&Add", 6, 44, 50, 14, kTabStop},
    {2, K::PushButton, "&Do not add", 63, 44, 50, 14, kTabStop},
    {1013, K::Edit, "", 6, 7, 107, 14, kShowField},
    {1016, K::Edit, "", 80, 24, 33, 14, kShowField},
};

constexpr ControlTemplate kKitMapControls[] = {
    {1021, K::Edit, "", 7, 25, 70, 14, kNumberField},
    {1, K::DefPushButton, "&Add", 7, 56, 50, 14, kTabStop},
    {2, K::PushButton, "&Do not add", 63, 56, 50, 14, kTabStop},
    {1023, K::AutoRadioButton, "home", 7, 43, 33, 10, kGroup},
    {1024, K::AutoRadioButton, "away", 45, 43, 33, 10, 0},
    {1025, K::AutoRadioButton, "third", 82, 43, 31, 10, 0},
    {1020, K::Edit, "", 7, 7, 107, 14, kShowField},
    {1022, K::Edit, "", 81, 25, 33, 14, kShowField},
};

constexpr DialogTemplate kFileMap{131, "Select ID for file", 120, 65, false, false,
                                  kFileMapControls};
constexpr DialogTemplate kKitMap{135, "Select ID for kit", 121, 77, false, false,
                                 kKitMapControls};

}  // namespace

const DialogTemplate& FileMapTemplate() { return kFileMap; }
const DialogTemplate& KitMapTemplate() { return kKitMap; }

}  // namespace mapio::res
