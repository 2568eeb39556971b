// The editor window, the about box and the template builder on the
// offscreen platform; message boxes answered through MessageBox's seam.
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include "platform/platform.h"
#include "res/control_ids.h"
#include "res/dialog_template.h"
#include "tests/support/fake_host.h"
#include "tests/support/temp_folder.h"
#include "ui/editor_text.h"
#include "ui/qt/about_dialog.h"
#include "ui/qt/edit_dialog.h"
#include "ui/qt/message_box.h"
#include "ui/qt/template_builder.h"

namespace mapio::qt {
namespace {

template <class T>
T* Control(QWidget& dialog, int id) {
  return dialog.findChild<T*>(QString::number(id));
}

const res::DialogTemplate* const kTemplates[] = {&res::AboutTemplate(), &res::MainTemplate(),
                                                 &res::FileMapTemplate(), &res::EditXmlTemplate(),
                                                 &res::KitMapTemplate()};

}  // namespace

class EditorDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { MessageBox::resetForTesting(); }

  void opensWithFocusOnSave() {
    CXEditDlg dialog;
    dialog.SetEditorText("a\nb");
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* save = Control<QPushButton>(dialog, res::kSaveButton);
    QCOMPARE(dialog.focusWidget(), save);
    // Enter at once asks the question.
    MessageBox::setNextAnswer(MessageButton::Cancel);
    QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);
    QCOMPARE(MessageBox::shown().size(), size_t{1});
    QVERIFY(dialog.isVisible());
    // The text box is not a tab stop: Tab goes Save, Close, Save.
    QCOMPARE(save->nextInFocusChain(), Control<QPushButton>(dialog, res::kEditorCloseButton));
    QCOMPARE(dialog.TextBox()->focusPolicy(), Qt::ClickFocus);
    QCOMPARE(dialog.TextBox()->lineWrapMode(), QPlainTextEdit::NoWrap);
  }

  void saveThenCancelKeepsEditing() {
    CXEditDlg dialog;
    dialog.show();
    dialog.TextBox()->setPlainText(QStringLiteral("edited"));
    MessageBox::setNextAnswer(MessageButton::Cancel);
    QTest::mouseClick(Control<QPushButton>(dialog, res::kSaveButton), Qt::LeftButton);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.TextBox()->toPlainText(), QStringLiteral("edited"));
    QCOMPARE(MessageBox::shown().size(), size_t{1});
    const MessageBox::Shown& box = MessageBox::shown().front();
    QCOMPARE(box.text, QStringLiteral("Do you really want to save this file?"));
    QCOMPARE(box.caption, QStringLiteral("Confirm save"));
    QCOMPARE(box.kind, MessageKind::Confirmation);
    QCOMPARE(box.owner, &dialog);  // owned by the editor, not the main window

    MessageBox::setNextAnswer(MessageButton::Ok);
    QTest::mouseClick(Control<QPushButton>(dialog, res::kSaveButton), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.EditorText(), std::string("edited"));
  }

  void closeEscAndCloseBoxAskNothing_data() {
    QTest::addColumn<int>("how");
    QTest::newRow("Close") << 0;
    QTest::newRow("Esc") << 1;
    QTest::newRow("close box") << 2;
  }
  void closeEscAndCloseBoxAskNothing() {
    QFETCH(int, how);
    CXEditDlg dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    if (how == 0)
      QTest::mouseClick(Control<QPushButton>(dialog, res::kEditorCloseButton), Qt::LeftButton);
    if (how == 1) QTest::keyClick(&dialog, Qt::Key_Escape);
    if (how == 2) dialog.close();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(MessageBox::shown().empty());
  }

  // Through the real window: what the box hands back is what it was given,
  // characters text boxes like to change included; a large file goes in
  // and out in many pieces.
  void editorWindowRoundTripsTheFile_data() {
    QTest::addColumn<int>("copies");
    QTest::newRow("small") << 1;
    QTest::newRow("in pieces") << 60000;
  }
  void editorWindowRoundTripsTheFile() {
    QFETCH(int, copies);
    testing::TempFolder folder;
    const std::string lines = std::string("a\r\n\0\xc2\xa0 \xe2\x80\xa8\xe2\x80\xa9\r\n", 14) +
                              "\xef\xb7\x90\t\xef\xa3\xbf\xe2\x90\x80\r\nbare\n\r\n";
    std::string bytes;
    for (int i = 0; i < copies; ++i) bytes += lines;
    folder.Write("config.xml", bytes);
    testing::FakeHost host;
    host.controls.folderPath = folder.str();
    JobSettings settings;
    QString seen;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<CXEditDlg*>(QApplication::activeModalWidget());
      QVERIFY(dialog);
      seen = dialog->TextBox()->toPlainText();
      MessageBox::setNextAnswer(MessageButton::Ok);
      Control<QPushButton>(*dialog, res::kSaveButton)->click();
    });
    QtEditorView view(nullptr);
    ui::MappingEditor(host, settings, view);
    QVERIFY(seen.startsWith(QStringLiteral("a\n")));
    QCOMPARE(folder.Read("config.xml"), bytes);
  }

  void aboutBoxClosesEveryWay_data() {
    QTest::addColumn<int>("how");
    QTest::newRow("OK") << 0;
    QTest::newRow("Enter") << 1;
    QTest::newRow("Esc") << 2;
    QTest::newRow("close box") << 3;
  }
  void aboutBoxClosesEveryWay() {
    QFETCH(int, how);
    CAboutDlg about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QCOMPARE(about.findChild<QLabel*>(QStringLiteral("static_1"))->text(),
             QStringLiteral("Mapio Version 0.4"));
    QVERIFY(!about.findChild<QLabel*>(QStringLiteral("static_0"))->pixmap().isNull());
    QVERIFY(!about.windowIcon().isNull());
    if (how == 0)
      QTest::mouseClick(Control<QPushButton>(about, res::kAboutOkButton), Qt::LeftButton);
    if (how == 1) QTest::keyClick(&about, Qt::Key_Return);
    if (how == 2) QTest::keyClick(&about, Qt::Key_Escape);
    if (how == 3) about.close();
    QVERIFY(!about.isVisible());
    QVERIFY(MessageBox::shown().empty());
  }

  void everyControlIsFoundByItsId() {
    for (const res::DialogTemplate* t : kTemplates) {
      QDialog dialog;
      const BuiltDialog built = BuildDialog(dialog, *t);
      QCOMPARE(built.controls.size(), t->controls.size());
      for (std::size_t i = 0; i < t->controls.size(); ++i) {
        const res::ControlTemplate& c = t->controls[i];
        const QString name =
            c.id == res::kNoId ? QStringLiteral("static_%1").arg(i) : QString::number(c.id);
        QWidget* widget = dialog.findChild<QWidget*>(name);
        QVERIFY2(widget == built.controls[i], qPrintable(name));
        QCOMPARE(widget->isVisibleTo(&dialog), (c.style & res::kHidden) == 0);
      }
    }
  }

  void radioGroupsCountPositions() {
    QDialog dialog;
    const BuiltDialog built = BuildDialog(dialog, res::MainTemplate());
    QCOMPARE(built.groups.size(), size_t{2});
    QCOMPARE(built.groups[0]->buttons().size(), 2);
    QCOMPARE(built.groups[1]->buttons().size(), 11);  // hidden backgrounds included
    QButtonGroup& objects = *built.groups[1];
    QCOMPARE(CheckedPosition(objects), -1);
    SetCheckedPosition(objects, 4);
    QVERIFY(built.Get<QRadioButton>(res::kClubLogosButton)->isChecked());  // "c&lub logos"
    built.Get<QRadioButton>(res::kDefaultBackgroundsButton)->setChecked(true);
    QCOMPARE(CheckedPosition(objects), 10);
    QVERIFY(!built.Get<QRadioButton>(res::kClubLogosButton)->isChecked());
    for (int outOfRange : {-1, 11}) {
      SetCheckedPosition(objects, outOfRange);
      QCOMPARE(CheckedPosition(objects), -1);
    }
    QCOMPARE(built.GroupOf(res::kKitsButton), &objects);
  }

  void numberFieldTakesDigitsOfAnyLength() {
    QDialog dialog;
    const BuiltDialog built = BuildDialog(dialog, res::FileMapTemplate());
    auto* id = built.Get<QLineEdit>(res::kFileIdBox);
    QTest::keyClicks(id, QStringLiteral("12a-3 4567890123456789"));
    QCOMPARE(id->text(), QStringLiteral("1234567890123456789"));
    QVERIFY(built.Get<QLineEdit>(res::kFileNameBox)->isReadOnly());
  }

  void proportionsFollowTheFont() {
    for (int points : {8, 16}) {
      QDialog dialog;
      QFont font = dialog.font();
      font.setPointSize(points);
      dialog.setFont(font);
      const BuiltDialog built = BuildDialog(dialog, res::EditXmlTemplate());
      const DialogUnits& u = built.units;
      QVERIFY(u.x > 0.5 && u.y > 0.5);
      QCOMPARE(dialog.size(), QSize(u.ToPixelsX(379), u.ToPixelsY(223)));
      QCOMPARE(built.byId.value(res::kXmlTextBox)->geometry(), u.ToPixels(7, 7, 365, 191));
      QCOMPARE(built.byId.value(res::kEditorCloseButton)->geometry(), u.ToPixels(322, 202, 50, 14));
    }
    QFont small;
    small.setPointSize(8);
    QFont large;
    large.setPointSize(16);
    const double ratio = DialogUnits::ForFont(large).x / DialogUnits::ForFont(small).x;
    QVERIFY2(ratio > 1.7 && ratio < 2.3, qPrintable(QString::number(ratio)));
  }
};

}  // namespace mapio::qt

QTEST_MAIN(mapio::qt::EditorDialogTest)
#include "editor_dialog_test.moc"
