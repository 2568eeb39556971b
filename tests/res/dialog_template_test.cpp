#include <gtest/gtest.h>

#include <vector>

#include "core/object_kind.h"
#include "res/dialog_template.h"

namespace mapio::res {
namespace {

struct GroupCase {
  const DialogTemplate& dialog;
  int firstId;
  std::vector<int> ids;
};

// Positions in these groups are stored settings values: the order matters,
// hidden buttons included.
TEST(RadioGroupTest, RunsInTemplateOrderToTheNextGroupStart) {
  const GroupCase cases[] = {
      {MainTemplate(), 1038, {1038, 1039}},
      {MainTemplate(), 1000, {1000, 1001, 1003, 1004, 1002, 1031, 1032, 1033, 1034, 1036, 1035}},
      {KitMapTemplate(), 1023, {1023, 1024, 1025}},
      {MainTemplate(), 4242, {}},
  };
  for (const GroupCase& c : cases) {
    EXPECT_EQ(RadioGroup(c.dialog, c.firstId), c.ids) << "group of " << c.firstId;
  }
}

// A stored object kind is the position of its button in the group.
TEST(RadioGroupTest, ObjectGroupHasOneButtonPerKindInTheKindsOrder) {
  const std::vector<int> group = RadioGroup(MainTemplate(), 1000);
  ASSERT_EQ(group.size(), static_cast<std::size_t>(kObjectKindCount));
  for (std::size_t i = 0; i < group.size(); ++i) {
    for (const ControlTemplate& control : MainTemplate().controls) {
      if (control.id == group[i]) {
        EXPECT_EQ(control.text, kKinds[i].buttonText) << i;
      }
    }
  }
}

}  // namespace
}  // namespace mapio::res
