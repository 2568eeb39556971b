#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tools/make_rc/rc_script.h"

namespace mapio::make_rc {
namespace {

using res::ControlKind;
using res::ControlTemplate;

struct QuoteCase {
  std::string text;
  std::optional<std::string> quoted;
};

TEST(RcScriptTest, TextsKeepEveryCharacterThroughRcQuoting) {
  const QuoteCase cases[] = {
      {"", "\"\""},
      {"&GO!", "\"&GO!\""},
      {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {"C:\\path", "\"C:\\\\path\""},
      {"two\nlines", "\"two\\nlines\""},
      {"a\tb", "\"a\\tb\""},
      {"\xe9t\xe9", "\"\xe9t\xe9\""},  // ANSI bytes pass as they are
      {std::string("nul\0", 4), std::nullopt},
      {"bell\a", std::nullopt},
  };
  for (const QuoteCase& c : cases) {
    EXPECT_EQ(QuoteRcText(c.text), c.quoted) << c.text;
  }
}

struct ControlCase {
  ControlTemplate control;
  std::string line;  // empty: must be refused
};

TEST(RcScriptTest, ControlStatementsSpellOutClassStylesAndVisibility) {
  const ControlCase cases[] = {
      // rc makes a CONTROL visible by default, so hiding must be explicit.
      {{1031, ControlKind::AutoRadioButton, "x", 1, 2, 3, 4, res::kHidden},
       "CONTROL \"x\", 1031, \"Button\", BS_AUTORADIOBUTTON | WS_CHILD | NOT WS_VISIBLE, 1, 2, 3, "
       "4"},
      {{res::kNoId, ControlKind::StaticIcon, "128", 11, 17, 21, 20, 0},
       "CONTROL 128, -1, \"Static\", SS_ICON | WS_CHILD | WS_VISIBLE, 11, 17, 21, 20"},
      {{1028, ControlKind::TextEditor, "", 7, 7, 365, 191, res::kVScroll | res::kBorder},
       "CONTROL \"\", 1028, \"Scintilla\", WS_VSCROLL | WS_BORDER | WS_CHILD | WS_VISIBLE, 7, 7, "
       "365, 191"},
      {{1028, ControlKind::TextEditor, "", 0, 0, 1, 1, res::kMultiline}, ""},
      {{res::kNoId, ControlKind::Static, "a&b", 0, 0, 9, 8, res::kNoPrefix | res::kGroup},
       "CONTROL \"a&b\", -1, \"Static\", SS_NOPREFIX | WS_GROUP | WS_CHILD | WS_VISIBLE, 0, 0, 9, "
       "8"},
      // A style the class lacks is refused rather than dropped.
      {{1, ControlKind::PushButton, "OK", 0, 0, 1, 1, res::kReadOnly}, ""},
      {{1012, ControlKind::Edit, "", 0, 0, 1, 1, res::kCenter}, ""},
      {{res::kNoId, ControlKind::StaticIcon, "icon", 0, 0, 1, 1, 0}, ""},
      {{1, ControlKind::PushButton, "bad\x01", 0, 0, 1, 1, 0}, ""},
  };
  for (const ControlCase& c : cases) {
    const RcText got = ControlStatement(c.control);
    if (c.line.empty()) {
      EXPECT_FALSE(got.error.empty()) << got.text;
    } else {
      EXPECT_EQ(got.error, "");
      EXPECT_EQ(got.text, "    " + c.line + "\n");
    }
  }
}

TEST(RcScriptTest, OnlyTheMainWindowIsVisibleInTheTaskBarAndTakesDrops) {
  const RcText main = DialogResource(res::MainTemplate());
  ASSERT_EQ(main.error, "");
  EXPECT_NE(main.text.find(
                "| WS_MINIMIZEBOX | WS_VISIBLE\nEXSTYLE WS_EX_APPWINDOW | WS_EX_ACCEPTFILES\n"),
            std::string::npos)
      << main.text;
  for (const res::DialogTemplate* dialog :
       {&res::AboutTemplate(), &res::FileMapTemplate(), &res::EditXmlTemplate(),
        &res::KitMapTemplate(), &res::FindTemplate(), &res::GoToLineTemplate()}) {
    const RcText script = DialogResource(*dialog);
    ASSERT_EQ(script.error, "");
    EXPECT_EQ(script.text.find("EXSTYLE"), std::string::npos) << script.text;
    EXPECT_EQ(script.text.find("WS_MINIMIZEBOX"), std::string::npos) << script.text;
  }
}

}  // namespace
}  // namespace mapio::make_rc
