// The editor window, the about box and the template builder on the
// offscreen platform; message boxes answered by a fake Dialogs.
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <Qsci/qsciscintilla.h>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include "platform/platform.h"
#include "res/control_ids.h"
#include "res/dialog_template.h"
#include "tests/support/editor_files.h"
#include "tests/support/fake_host.h"
#include "tests/support/temp_folder.h"
#include "tests/ui/qt_test_support.h"
#include "ui/editor_text.h"
#include "ui/qt/about_dialog.h"
#include "ui/qt/edit_dialog.h"
#include "ui/qt/template_builder.h"

namespace mapio::qt {
namespace {

using testing::Control;
using testing::FakeDialogs;
using testing::ModalScript;
using testing::Press;

const res::DialogTemplate* const kTemplates[] = {
    &res::AboutTemplate(),  &res::MainTemplate(), &res::FileMapTemplate(), &res::EditXmlTemplate(),
    &res::KitMapTemplate(), &res::FindTemplate(), &res::GoToLineTemplate()};

// Runs the edit job on the folder's config.xml through the real window, with
// line `line` selected; `act` acts in the window once it is up, which then
// saves (answering the question with OK) or closes. The job's result: saved
// or not.
bool Edit(FakeDialogs& dialogs, mapio::testing::TempFolder& folder,
          const std::function<void(CXEditDlg&)>& act, bool save = true, std::size_t line = 0) {
  mapio::testing::FakeHost host;
  host.controls.folderPath = folder.str();
  JobSettings settings;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<CXEditDlg*>(QApplication::activeModalWidget());
    QVERIFY(dialog);
    // Keys reach a window once it is active.
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    act(*dialog);
    if (!save) return dialog->reject();
    dialogs.answers.push_back(MessageButton::Ok);
    Control<QPushButton>(dialog, res::kSaveButton)->click();
  });
  QtEditorView view(dialogs, nullptr);
  return ui::MappingEditor(host, settings, view, line);
}

}  // namespace

class EditorDialogTest : public QObject {
  Q_OBJECT
  FakeDialogs dialogs;

 private slots:
  void init() { dialogs = FakeDialogs(); }

  // Focus on Save, and Enter at once asks; Cancel keeps editing, OK saves.
  void saveAsksFirst() {
    CXEditDlg dialog(dialogs);
    dialog.SetLook(ui::LookOf("a\nb"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* save = Control<QPushButton>(&dialog, res::kSaveButton);
    QCOMPARE(dialog.focusWidget(), save);
    dialog.Box().Append("edited");
    QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);  // Cancel
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialogs.messages, (std::vector<Message>{{"Do you really want to save this file?",
                                                      "Confirm save", MessageKind::Confirmation}}));
    QCOMPARE(dialogs.owners[0], &dialog);  // the editor's, not the main window's
    // The text box is not a tab stop: Tab goes Save, Close, Save.
    QCOMPARE(save->nextInFocusChain(), Control<QPushButton>(&dialog, res::kEditorCloseButton));
    QCOMPARE(dialog.TextBox()->focusPolicy(), Qt::ClickFocus);

    dialogs.answers = {MessageButton::Ok};
    QTest::mouseClick(save, Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.Box().Bytes(), std::string_view("edited"));
  }

  void closeEscAndCloseBoxAskNothing_data() {
    QTest::addColumn<int>("how");
    QTest::newRow("Close") << 0;
    QTest::newRow("Esc") << 1;
    QTest::newRow("Esc in the text") << 2;
    QTest::newRow("close box") << 3;
  }
  void closeEscAndCloseBoxAskNothing() {
    QFETCH(int, how);
    CXEditDlg dialog(dialogs);
    dialog.SetLook(ui::LookOf(""));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    if (how == 0)
      QTest::mouseClick(Control<QPushButton>(&dialog, res::kEditorCloseButton), Qt::LeftButton);
    if (how == 1) QTest::keyClick(&dialog, Qt::Key_Escape);
    if (how == 2) QTest::keyClick(dialog.TextBox(), Qt::Key_Escape);
    if (how == 3) dialog.close();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(dialogs.messages.empty());
  }

  // Through the job and the real window: a save without an edit writes the
  // bytes the file had, whatever they are.
  void editorWindowKeepsEveryByte_data() {
    QTest::addColumn<std::string>("bytes");
    for (const mapio::testing::EditorFile& file : mapio::testing::EditorFiles())
      QTest::newRow(file.name.c_str()) << file.bytes;
  }
  void editorWindowKeepsEveryByte() {
    QFETCH(std::string, bytes);
    mapio::testing::TempFolder folder;
    folder.Write("config.xml", bytes);
    std::string shown;
    long numbersWidth = 0;
    QVERIFY(Edit(dialogs, folder, [&](CXEditDlg& dialog) {
      shown = dialog.Box().Bytes();
      numbersWidth = dialog.TextBox()->SendScintilla(QsciScintillaBase::SCI_GETMARGINWIDTHN, 0UL);
    }));
    QCOMPARE(shown, bytes);
    QVERIFY(numbersWidth > 0);
    QCOMPARE(folder.Read("config.xml"), bytes);
  }

  // Typed lines get the file's line ends, typed letters its encoding.
  void typingKeepsTheFilesWays() {
    mapio::testing::TempFolder folder;
    const struct {
      std::string bytes, saved;
    } cases[] = {
        {"a\r\nb\r\n", "a\r\n\xc3\xa9\r\nb\r\n"},
        {"a\nb\n", "a\n\xc3\xa9\nb\n"},
        {"a\rb\r", "a\r\xc3\xa9\rb\r"},
        {"a\r\nb\xe9\r\n", "a\r\n\xe9\r\nb\xe9\r\n"},  // Windows-1252
    };
    for (const auto& c : cases) {
      folder.Write("config.xml", c.bytes);
      QVERIFY(Edit(dialogs, folder, [](CXEditDlg& dialog) {
        QsciScintilla* box = dialog.TextBox();
        QVERIFY(!box->isUndoAvailable());  // loading the file is no edit
        box->setFocus();
        box->SendScintilla(QsciScintillaBase::SCI_GOTOPOS, 1UL);
        QTest::keyClick(box, Qt::Key_Return);
        QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier,
                        QStringLiteral("\u00e9"));
        QApplication::sendEvent(box, &typed);
        QVERIFY(box->isUndoAvailable());
      }));
      QCOMPARE(folder.Read("config.xml"), c.saved);
    }
  }

  // Ctrl+F, F3 and Shift+F3, Ctrl+G, and the report's jump to a line.
  void findAndGoToLine() {
    mapio::testing::TempFolder folder;
    folder.Write("config.xml", "one\ntwo\nThree\nfour two\n");
    ui::TextRange found, again, back, line;
    std::size_t caretLine = 0;
    QVERIFY(!Edit(
        dialogs, folder,
        [&](CXEditDlg& dialog) {
          QsciScintilla* box = dialog.TextBox();
          QCOMPARE(dialog.Box().Selection(), (ui::TextRange{4, 7}));  // line 2, as asked
          QCOMPARE(QApplication::focusWidget(), box);
          ModalScript script({[&](QWidget* find) {
            QTest::keyClicks(Control<QLineEdit>(find, res::kFindTextBox), QStringLiteral("THREE"));
            QTest::keyClick(find, Qt::Key_Return);  // Find next
            found = dialog.Box().Selection();
            Press(find, res::kFindCloseButton);
          }});
          QTest::keyClick(box, Qt::Key_F, Qt::ControlModifier);
          QVERIFY(script.done());
          QVERIFY(QTest::qWaitForWindowActive(&dialog));
          dialog.Box().Select({0, 0});
          QTest::keyClick(box, Qt::Key_F3);
          again = dialog.Box().Selection();  // round the end
          dialog.LastFind().text = "two";
          QTest::keyClick(box, Qt::Key_F3, Qt::ShiftModifier);
          back = dialog.Box().Selection();
          ModalScript goTo({[&](QWidget* d) {
            auto* number = Control<QLineEdit>(d, res::kLineNumberBox);
            QCOMPARE(number->text(), QStringLiteral("2"));
            QTest::keyClicks(number, QStringLiteral("9"));
            QTest::keyClick(d, Qt::Key_Return);
            QVERIFY(d->isVisible());
            number->setText(QStringLiteral("4"));
            QTest::keyClick(d, Qt::Key_Return);
          }});
          QTest::keyClick(box, Qt::Key_G, Qt::ControlModifier);
          QVERIFY(goTo.done());
          line = dialog.Box().Selection();
          caretLine = dialog.Box().CaretLine();
        },
        false, 2));
    QCOMPARE(found, (ui::TextRange{8, 13}));
    QCOMPARE(again, (ui::TextRange{8, 13}));  // from the start this time
    QCOMPARE(back, (ui::TextRange{4, 7}));
    QCOMPARE(line, (ui::TextRange{14, 14}));
    QCOMPARE(caretLine, std::size_t{4});
    QCOMPARE(dialogs.messages, (std::vector<Message>{{"Type a line number from 1 to 5.",
                                                      "Go to line", MessageKind::Warning}}));
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
      QTest::mouseClick(Control<QPushButton>(&about, res::kAboutOkButton), Qt::LeftButton);
    if (how == 1) QTest::keyClick(&about, Qt::Key_Return);
    if (how == 2) QTest::keyClick(&about, Qt::Key_Escape);
    if (how == 3) about.close();
    QVERIFY(!about.isVisible());
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
