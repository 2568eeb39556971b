// Builds the widgets of a dialog template onto a QDialog, for every dialog
// of the Qt front end.
//
// Layout: dialog units become pixels from the dialog's font, one horizontal
// unit a quarter of the average character width and one vertical unit an
// eighth of the font height, so the windows keep their proportions at any
// font size and screen density. The dialog gets the template's fixed size,
// caption and window icon.
//
// Controls:
//   push buttons     QPushButton; the template's default button is the
//                    dialog's default (Enter). Ids 1 and 2 are not wired to
//                    accept/reject: each dialog decides what they do.
//   radio buttons    QRadioButton in one exclusive QButtonGroup per group
//                    (a group starts at a control with kGroup and runs to the
//                    next one); a button's group id is its position in the
//                    group, counted from 0, hidden buttons included.
//   check boxes      QCheckBox
//   edit boxes       QLineEdit (QPlainTextEdit when multi-line); kNumber
//                    accepts digits only, of any length; kReadOnly.
//   text editor      QsciScintilla (the editor's window sets it up).
//   group boxes      QGroupBox, drawn behind and transparent to the mouse,
//                    as the controls they frame are siblings, not children.
//   static text      QLabel; kNoPrefix shows "&" as is.
//   static icon      QLabel with the application icon.
// Every control's objectName is its id in decimal; a control without an id is
// "static_<index>", its index in the template. "&" marks access keys.
// Tab order is template order; controls without kTabStop take the focus
// only by click, access key or arrow keys. kHidden controls are hidden. The
// first visible tab stop gets the focus when the dialog opens.
#pragma once

#include <QHash>
#include <QRect>

#include <vector>

#include "res/dialog_template.h"

class QButtonGroup;
class QDialog;
class QFont;
class QWidget;

namespace mapio::qt {

// Pixels per dialog unit for one font.
struct DialogUnits {
  double x = 1.5;
  double y = 1.625;

  static DialogUnits ForFont(const QFont& font);
  int ToPixelsX(int units) const;
  int ToPixelsY(int units) const;
  QRect ToPixels(int x, int y, int width, int height) const;
};

struct BuiltDialog {
  QHash<int, QWidget*> byId;          // every control with an id
  std::vector<QWidget*> controls;     // every control, in template order
  std::vector<QButtonGroup*> groups;  // radio groups, in template order
  DialogUnits units;

  // The control `id` as a T, or nullptr when there is none of that type.
  template <class T>
  T* Get(int id) const {
    return qobject_cast<T*>(byId.value(id));
  }
  // The radio group holding control `id`, or nullptr.
  QButtonGroup* GroupOf(int id) const;
};

// Builds `dialogTemplate` onto `dialog`, which should have no children yet.
// The widgets belong to the dialog.
BuiltDialog BuildDialog(QDialog& dialog, const res::DialogTemplate& dialogTemplate);

// The position of the checked button of `group`, -1 when none is checked.
int CheckedPosition(const QButtonGroup& group);
// Checks the button at `position` and clears the others; a position out of
// range clears them all.
void SetCheckedPosition(QButtonGroup& group, int position);

}  // namespace mapio::qt
