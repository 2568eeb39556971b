#include "res/dialog_template.h"

namespace mapio::res {

std::vector<int> RadioGroup(const DialogTemplate& dialog, int firstId) {
  std::vector<int> ids;
  bool inGroup = false;
  for (const ControlTemplate& control : dialog.controls) {
    if (inGroup && (control.style & kGroup) != 0) break;
    if (control.id == firstId) inGroup = true;
    if (inGroup && control.kind == ControlKind::AutoRadioButton) ids.push_back(control.id);
  }
  return ids;
}

}  // namespace mapio::res
