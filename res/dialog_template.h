// Dialog templates as data, shared by every front end: ids, texts,
// rectangles in dialog units and styles, in template (= tab) order.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace mapio::res {

inline constexpr int kNoId = -1;  // static controls

enum class ControlKind {
  PushButton,
  DefPushButton,
  AutoRadioButton,
  AutoCheckBox,
  Edit,        // single- or multi-line edit box
  TextEditor,  // the editing component: class "Scintilla"
  GroupBox,
  Static,      // static text
  StaticIcon,  // icon 128
};

// Styles a control may carry; several combine.
enum ControlStyle : std::uint32_t {
  kTabStop = 1u << 0,
  kGroup = 1u << 1,  // starts a group
  kHidden = 1u << 2,
  kBorder = 1u << 3,
  kAutoHScroll = 1u << 4,
  kReadOnly = 1u << 5,
  kNumber = 1u << 6,  // digits only
  kMultiline = 1u << 7,
  kVScroll = 1u << 8,
  kWantReturn = 1u << 9,
  kCenter = 1u << 10,
  kNoPrefix = 1u << 11,  // "&" shown as is
  kLeft = 1u << 12,
};

struct ControlTemplate {
  int id;
  ControlKind kind;
  std::string_view text;
  int x, y, width, height;  // dialog units
  std::uint32_t style;
};

struct DialogTemplate {
  int resourceId;
  std::string_view caption;
  int width, height;  // dialog units
  bool minimizeBox;
  bool acceptFiles;
  std::span<const ControlTemplate> controls;
  bool visible = false;    // shown as soon as it is created
  bool appWindow = false;  // has its own task-bar button
};

// Font of every template.
inline constexpr std::string_view kDialogFont = "MS Shell Dlg";
inline constexpr int kDialogFontPoints = 8;

// The ids of the radio buttons of the group that control `firstId` starts,
// in template order: up to the next control that starts a group. Empty when
// no control has that id.
std::vector<int> RadioGroup(const DialogTemplate& dialog, int firstId);

const DialogTemplate& AboutTemplate();     // 100
const DialogTemplate& MainTemplate();      // 102
const DialogTemplate& FileMapTemplate();   // 131, "Select ID for file"
const DialogTemplate& EditXmlTemplate();   // 134
const DialogTemplate& KitMapTemplate();    // 135, "Select ID for kit"
const DialogTemplate& FindTemplate();      // 136, the editor's "Find"
const DialogTemplate& GoToLineTemplate();  // 137, the editor's "Go to line"

}  // namespace mapio::res
