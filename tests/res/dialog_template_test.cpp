#include <gtest/gtest.h>

#include <vector>

#include "core/object_kind.h"
#include "res/control_ids.h"
#include "res/dialog_template.h"

namespace mapio::res {
namespace {

// A group runs in template order, skips what is no radio button, and ends
// at the next control that starts a group.
TEST(RadioGroupTest, RunsInTemplateOrderToTheNextGroupStart) {
  constexpr ControlTemplate kControls[] = {
      {10, ControlKind::AutoRadioButton, "a", 0, 0, 1, 1, kGroup},
      {12, ControlKind::AutoRadioButton, "b", 0, 0, 1, 1, 0},
      {13, ControlKind::AutoCheckBox, "c", 0, 0, 1, 1, kTabStop},
      {11, ControlKind::AutoRadioButton, "d", 0, 0, 1, 1, kHidden},
      {20, ControlKind::AutoRadioButton, "e", 0, 0, 1, 1, kGroup},
  };
  const DialogTemplate dialog{1, "t", 1, 1, false, false, kControls};
  EXPECT_EQ(RadioGroup(dialog, 10), (std::vector<int>{10, 12, 11}));
  EXPECT_EQ(RadioGroup(dialog, 12), (std::vector<int>{12, 11}));
  EXPECT_EQ(RadioGroup(dialog, 20), (std::vector<int>{20}));
  EXPECT_EQ(RadioGroup(dialog, 42), (std::vector<int>{}));
}

// Positions in the main window's groups and the kit prompt's are stored
// values: the action is 0 for make, 1 for translate; a kit is home, away,
// third; an object kind is the position of its button.
TEST(RadioGroupTest, PositionsAreTheStoredValues) {
  EXPECT_EQ(RadioGroup(MainTemplate(), kMakeButton),
            (std::vector<int>{kMakeButton, kTranslateButton}));
  EXPECT_EQ(RadioGroup(KitMapTemplate(), kHomeButton),
            (std::vector<int>{kHomeButton, kAwayButton, kThirdButton}));
  const std::vector<int> objects = RadioGroup(MainTemplate(), kFacesButton);
  ASSERT_EQ(objects.size(), kObjectKindCount);
  for (std::size_t i = 0; i < objects.size(); ++i) {
    for (const ControlTemplate& control : MainTemplate().controls) {
      if (control.id == objects[i]) {
        EXPECT_EQ(control.text, KindOf(*KindAt(i)).buttonText) << i;
      }
    }
  }
}

}  // namespace
}  // namespace mapio::res
