#include "tools/make_rc/rc_script.h"

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace mapio::make_rc {
namespace {

using res::ControlKind;

struct StyleName {
  std::uint32_t flag;
  const char* name;
};

// Flags that only some classes have; the rest apply to every window.
constexpr std::array kEditStyles{
    StyleName{res::kMultiline, "ES_MULTILINE"},   StyleName{res::kAutoHScroll, "ES_AUTOHSCROLL"},
    StyleName{res::kReadOnly, "ES_READONLY"},     StyleName{res::kNumber, "ES_NUMBER"},
    StyleName{res::kWantReturn, "ES_WANTRETURN"},
};
constexpr std::array kStaticStyles{
    StyleName{res::kLeft, "SS_LEFT"},
    StyleName{res::kCenter, "SS_CENTER"},
    StyleName{res::kNoPrefix, "SS_NOPREFIX"},
};
constexpr std::array kWindowStyles{
    StyleName{res::kVScroll, "WS_VSCROLL"},
    StyleName{res::kBorder, "WS_BORDER"},
    StyleName{res::kGroup, "WS_GROUP"},
    StyleName{res::kTabStop, "WS_TABSTOP"},
};

struct ClassInfo {
  const char* className;
  const char* baseStyle;  // nullptr: the class's default of 0
  bool edit;              // takes kEditStyles
  bool text;              // takes kStaticStyles
};

ClassInfo ClassOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::PushButton: return {"Button", "BS_PUSHBUTTON", false, false};
    case ControlKind::DefPushButton: return {"Button", "BS_DEFPUSHBUTTON", false, false};
    case ControlKind::AutoRadioButton: return {"Button", "BS_AUTORADIOBUTTON", false, false};
    case ControlKind::AutoCheckBox: return {"Button", "BS_AUTOCHECKBOX", false, false};
    case ControlKind::GroupBox: return {"Button", "BS_GROUPBOX", false, false};
    case ControlKind::Edit: return {"Edit", nullptr, true, false};
    case ControlKind::TextEditor: return {"Scintilla", nullptr, false, false};
    case ControlKind::Static: return {"Static", nullptr, false, true};
    case ControlKind::StaticIcon: return {"Static", "SS_ICON", false, false};
  }
  return {"Static", nullptr, false, false};
}

template <std::size_t N>
void TakeStyles(const std::array<StyleName, N>& names, std::uint32_t& left,
                std::vector<std::string>& out) {
  for (const StyleName& style : names) {
    if (left & style.flag) {
      out.emplace_back(style.name);
      left &= ~style.flag;
    }
  }
}

std::string JoinStyles(const std::vector<std::string>& names) {
  std::string joined;
  for (const std::string& name : names) {
    if (!joined.empty()) joined += " | ";
    joined += name;
  }
  return joined;
}

// Every flag named, or an error for one the class does not have. Visibility
// is always spelled out: rc makes a CONTROL visible unless told otherwise.
RcText ControlStyles(const res::ControlTemplate& control, const ClassInfo& info) {
  std::vector<std::string> names;
  if (info.baseStyle) names.emplace_back(info.baseStyle);
  std::uint32_t left = control.style & ~std::uint32_t{res::kHidden};
  if (info.edit) TakeStyles(kEditStyles, left, names);
  if (info.text) TakeStyles(kStaticStyles, left, names);
  TakeStyles(kWindowStyles, left, names);
  if (left != 0) {
    return {"", "control " + std::to_string(control.id) + " (" + info.className +
                    ") has style bits " + std::to_string(left) + " its class lacks"};
  }
  names.emplace_back("WS_CHILD");
  names.emplace_back((control.style & res::kHidden) ? "NOT WS_VISIBLE" : "WS_VISIBLE");
  return {JoinStyles(names), ""};
}

// The icon static names its picture by resource number, unquoted.
RcText ControlText(const res::ControlTemplate& control) {
  if (control.kind == ControlKind::StaticIcon) {
    const bool digits = !control.text.empty() &&
                        control.text.find_first_not_of("0123456789") == std::string_view::npos;
    if (!digits) return {"", "icon control has no resource number: " + std::string(control.text)};
    return {std::string(control.text), ""};
  }
  std::optional<std::string> quoted = QuoteRcText(control.text);
  if (!quoted) return {"", "text with a control character: " + std::string(control.text)};
  return {*quoted, ""};
}

std::string DialogStyle(const res::DialogTemplate& dialog) {
  std::string style = "DS_SHELLFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU";
  if (dialog.minimizeBox) style += " | WS_MINIMIZEBOX";
  if (dialog.visible) style += " | WS_VISIBLE";
  return style;
}

std::string DialogExStyle(const res::DialogTemplate& dialog) {
  std::vector<std::string> names;
  if (dialog.appWindow) names.emplace_back("WS_EX_APPWINDOW");
  if (dialog.acceptFiles) names.emplace_back("WS_EX_ACCEPTFILES");
  return JoinStyles(names);
}

}  // namespace

std::optional<std::string> QuoteRcText(std::string_view text) {
  std::string quoted = "\"";
  for (char c : text) {
    switch (c) {
      case '"': quoted += "\"\""; break;
      case '\\': quoted += "\\\\"; break;
      case '\n': quoted += "\\n"; break;
      case '\t': quoted += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return std::nullopt;
        quoted += c;
    }
  }
  return quoted + "\"";
}

RcText ControlStatement(const res::ControlTemplate& control) {
  const ClassInfo info = ClassOf(control.kind);
  RcText text = ControlText(control);
  if (!text.error.empty()) return text;
  RcText styles = ControlStyles(control, info);
  if (!styles.error.empty()) return styles;
  return {"    CONTROL " + text.text + ", " + std::to_string(control.id) + ", \"" + info.className +
              "\", " + styles.text + ", " + std::to_string(control.x) + ", " +
              std::to_string(control.y) + ", " + std::to_string(control.width) + ", " +
              std::to_string(control.height) + "\n",
          ""};
}

RcText DialogResource(const res::DialogTemplate& dialog) {
  std::optional<std::string> caption = QuoteRcText(dialog.caption);
  std::optional<std::string> face = QuoteRcText(res::kDialogFont);
  if (!caption || !face) return {"", "caption with a control character"};
  std::string script = std::to_string(dialog.resourceId) + " DIALOGEX 0, 0, " +
                       std::to_string(dialog.width) + ", " + std::to_string(dialog.height) + "\n";
  script += "STYLE " + DialogStyle(dialog) + "\n";
  if (const std::string ex = DialogExStyle(dialog); !ex.empty()) script += "EXSTYLE " + ex + "\n";
  script += "CAPTION " + *caption + "\n";
  // Weight 400, not italic, DEFAULT_CHARSET.
  script += "FONT " + std::to_string(res::kDialogFontPoints) + ", " + *face + ", 400, 0, 0x1\n";
  script += "BEGIN\n";
  for (const res::ControlTemplate& control : dialog.controls) {
    RcText line = ControlStatement(control);
    if (!line.error.empty()) {
      return {"", "dialog " + std::to_string(dialog.resourceId) + ": " + line.error};
    }
    script += line.text;
  }
  return {script + "END\n", ""};
}

RcText DialogsScript() {
  std::string script =
      "// Generated by tools/make_rc from the tables in res/; do not edit.\n"
      "// Regenerate with: make dialogs-rc\n"
      "#include <windows.h>\n";
  for (const res::DialogTemplate* dialog :
       {&res::AboutTemplate(), &res::MainTemplate(), &res::FileMapTemplate(),
        &res::EditXmlTemplate(), &res::KitMapTemplate(), &res::FindTemplate(),
        &res::GoToLineTemplate()}) {
    RcText part = DialogResource(*dialog);
    if (!part.error.empty()) return part;
    script += "\n" + part.text;
  }
  return {script, ""};
}

}  // namespace mapio::make_rc
