#include <gtest/gtest.h>

#include <vector>

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

}  // namespace
}  // namespace mapio::res
