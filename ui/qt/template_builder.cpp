#include "ui/qt/template_builder.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <Qsci/qsciscintilla.h>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>

#include <algorithm>
#include <cmath>

#include "ui/qt/app_icon.h"
#include "ui/qt/qt_text.h"

namespace mapio::qt {
namespace {

using res::ControlKind;

// Tab stops of text boxes, as in the system's edit controls.
constexpr int kTabStopUnits = 32;
using res::ControlTemplate;

bool Has(const ControlTemplate& control, std::uint32_t style) {
  return (control.style & style) != 0;
}

// Text for a widget that reads "&" as an access key.
QString ButtonText(const ControlTemplate& control) {
  QString text = ToQString(control.text);
  if (Has(control, res::kNoPrefix)) text.replace(QLatin1Char('&'), QStringLiteral("&&"));
  return text;
}

QWidget* MakeEdit(QDialog& dialog, const ControlTemplate& control) {
  if (Has(control, res::kMultiline)) {
    auto* box = new QPlainTextEdit(&dialog);
    box->setReadOnly(Has(control, res::kReadOnly));
    box->setPlainText(ToQString(control.text));
    return box;
  }
  auto* edit = new QLineEdit(ToQString(control.text), &dialog);
  edit->setReadOnly(Has(control, res::kReadOnly));
  if (Has(control, res::kNumber)) {
    static const QRegularExpression digits(QStringLiteral("[0-9]*"));
    edit->setValidator(new QRegularExpressionValidator(digits, edit));
  }
  return edit;
}

QWidget* MakeTextEditor(QDialog& dialog, const ControlTemplate& control) {
  auto* box = new QsciScintilla(&dialog);
  box->setFrameShape(Has(control, res::kBorder) ? QFrame::StyledPanel : QFrame::NoFrame);
  return box;
}

QWidget* MakeStatic(QDialog& dialog, const ControlTemplate& control) {
  auto* label = new QLabel(&dialog);
  label->setTextFormat(Qt::PlainText);
  label->setText(ToQString(control.text));
  label->setWordWrap(true);
  Qt::Alignment horizontal = Has(control, res::kCenter) ? Qt::AlignHCenter : Qt::AlignLeft;
  label->setAlignment(horizontal | Qt::AlignTop);
  return label;
}

QWidget* MakeIcon(QDialog& dialog, const QRect& rect) {
  auto* label = new QLabel(&dialog);
  const int side = std::min(rect.width(), rect.height());
  label->setPixmap(AppIcon().pixmap(side, side));
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

QWidget* MakeGroupBox(QDialog& dialog, const ControlTemplate& control) {
  auto* box = new QGroupBox(ButtonText(control), &dialog);
  // The framed controls are siblings: the box must not cover them.
  box->setAttribute(Qt::WA_TransparentForMouseEvents);
  box->setFocusPolicy(Qt::NoFocus);
  return box;
}

QWidget* MakeControl(QDialog& dialog, const ControlTemplate& control, const QRect& rect) {
  switch (control.kind) {
    case ControlKind::PushButton:
    case ControlKind::DefPushButton: {
      auto* button = new QPushButton(ButtonText(control), &dialog);
      button->setDefault(control.kind == ControlKind::DefPushButton);
      return button;
    }
    case ControlKind::AutoRadioButton: return new QRadioButton(ButtonText(control), &dialog);
    case ControlKind::AutoCheckBox: return new QCheckBox(ButtonText(control), &dialog);
    case ControlKind::Edit: return MakeEdit(dialog, control);
    case ControlKind::TextEditor: return MakeTextEditor(dialog, control);
    case ControlKind::GroupBox: return MakeGroupBox(dialog, control);
    case ControlKind::Static: return MakeStatic(dialog, control);
    case ControlKind::StaticIcon: return MakeIcon(dialog, rect);
  }
  return new QWidget(&dialog);
}

bool TakesFocus(ControlKind kind) {
  return kind != ControlKind::Static && kind != ControlKind::StaticIcon &&
         kind != ControlKind::GroupBox;
}

void SetFocusPolicy(QWidget& widget, const ControlTemplate& control) {
  if (!TakesFocus(control.kind)) {
    widget.setFocusPolicy(Qt::NoFocus);
  } else {
    widget.setFocusPolicy(Has(control, res::kTabStop) ? Qt::StrongFocus : Qt::ClickFocus);
  }
}

void SetWindow(QDialog& dialog, const res::DialogTemplate& dialogTemplate,
               const DialogUnits& units) {
  Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (dialogTemplate.minimizeBox) flags |= Qt::WindowMinimizeButtonHint;
  dialog.setWindowFlags(flags);
  dialog.setWindowTitle(ToQString(dialogTemplate.caption));
  dialog.setWindowIcon(AppIcon());
  dialog.setAcceptDrops(dialogTemplate.acceptFiles);
  dialog.setFixedSize(units.ToPixelsX(dialogTemplate.width),
                      units.ToPixelsY(dialogTemplate.height));
}

// Radio groups run from a control with kGroup to the next one; only the
// radio buttons in between count.
class GroupCollector {
 public:
  explicit GroupCollector(BuiltDialog& built) : built_(built) {}

  void Add(QDialog& dialog, const ControlTemplate& control, QWidget* widget) {
    if (Has(control, res::kGroup)) current_ = nullptr;
    auto* radio = qobject_cast<QRadioButton*>(widget);
    if (radio == nullptr) return;
    if (current_ == nullptr) {
      current_ = new QButtonGroup(&dialog);
      current_->setExclusive(true);
      built_.groups.push_back(current_);
    }
    current_->addButton(radio, static_cast<int>(current_->buttons().size()));
  }

 private:
  BuiltDialog& built_;
  QButtonGroup* current_ = nullptr;
};

}  // namespace

DialogUnits DialogUnits::ForFont(const QFont& font) {
  static const QString alphabet =
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  const QFontMetricsF metrics(font);
  DialogUnits units;
  units.x = metrics.horizontalAdvance(alphabet) / alphabet.size() / 4.0;
  units.y = metrics.height() / 8.0;
  return units;
}

int DialogUnits::ToPixelsX(int units) const { return static_cast<int>(std::lround(units * x)); }
int DialogUnits::ToPixelsY(int units) const { return static_cast<int>(std::lround(units * y)); }

QRect DialogUnits::ToPixels(int left, int top, int width, int height) const {
  return QRect(ToPixelsX(left), ToPixelsY(top), ToPixelsX(width), ToPixelsY(height));
}

QButtonGroup* BuiltDialog::GroupOf(int id) const {
  auto* button = qobject_cast<QAbstractButton*>(byId.value(id));
  return button == nullptr ? nullptr : button->group();
}

BuiltDialog BuildDialog(QDialog& dialog, const res::DialogTemplate& dialogTemplate) {
  BuiltDialog built;
  built.units = DialogUnits::ForFont(dialog.font());
  SetWindow(dialog, dialogTemplate, built.units);
  GroupCollector collector(built);
  QWidget* firstFocus = nullptr;
  for (const ControlTemplate& control : dialogTemplate.controls) {
    const QRect rect = built.units.ToPixels(control.x, control.y, control.width, control.height);
    QWidget* widget = MakeControl(dialog, control, rect);
    widget->setGeometry(rect);
    // Fonts with more line spacing than the one the templates were drawn
    // for must not cut the last line of a text.
    if (auto* label = qobject_cast<QLabel*>(widget); label && label->wordWrap()) {
      label->resize(rect.width(), std::max(rect.height(), label->heightForWidth(rect.width())));
    }
    if (auto* box = qobject_cast<QPlainTextEdit*>(widget)) {
      box->setTabStopDistance(built.units.ToPixelsX(kTabStopUnits));
    }
    SetFocusPolicy(*widget, control);
    widget->setVisible(!Has(control, res::kHidden));
    const int index = static_cast<int>(built.controls.size());
    if (control.id == res::kNoId) {
      widget->setObjectName(QStringLiteral("static_%1").arg(index));
    } else {
      widget->setObjectName(QString::number(control.id));
      built.byId.insert(control.id, widget);
    }
    if (!built.controls.empty()) QWidget::setTabOrder(built.controls.back(), widget);
    if (firstFocus == nullptr && Has(control, res::kTabStop) && !Has(control, res::kHidden)) {
      firstFocus = widget;
    }
    collector.Add(dialog, control, widget);
    built.controls.push_back(widget);
  }
  for (QWidget* widget : built.controls) {
    if (qobject_cast<QGroupBox*>(widget) != nullptr) widget->lower();
  }
  if (firstFocus != nullptr) firstFocus->setFocus(Qt::OtherFocusReason);
  return built;
}

int CheckedPosition(const QButtonGroup& group) { return group.checkedId(); }

void SetCheckedPosition(QButtonGroup& group, int position) {
  QAbstractButton* target = group.button(position);
  // An exclusive group keeps one button checked; lift that for a moment so
  // that every button can be cleared.
  group.setExclusive(false);
  for (QAbstractButton* button : group.buttons()) button->setChecked(button == target);
  group.setExclusive(true);
}

}  // namespace mapio::qt
