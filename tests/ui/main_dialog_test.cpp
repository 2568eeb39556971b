// The main window, the ID prompts and the progress, through the real widgets.
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QUrl>
#include <QtTest>

#include <deque>
#include <functional>

#include "tests/support/temp_folder.h"
#include "ui/qt/folder_chooser.h"
#include "ui/qt/id_prompts.h"
#include "ui/qt/main_dialog.h"
#include "ui/qt/map_app.h"
#include "ui/qt/message_box.h"
#include "ui/qt/progress_display.h"

using mapio::KitKind;
using mapio::MessageButton;
using mapio::MessageKind;
using mapio::qt::CFileMap;
using mapio::qt::CKitMapDlg;
using mapio::qt::CMainDlg;
using mapio::qt::MessageBox;
using mapio::testing::TempFolder;

namespace {

// Acts on modal dialogs as they come up, one action per dialog, in order.
class ModalScript : public QObject {
 public:
  using Action = std::function<void(QWidget*)>;
  explicit ModalScript(std::deque<Action> actions) : actions_(std::move(actions)) {
    timer_.setInterval(5);
    connect(&timer_, &QTimer::timeout, this, [this] { Poll(); });
    timer_.start();
  }
  bool done() const { return actions_.empty(); }

 private:
  void Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == last_ || actions_.empty() || !qobject_cast<QDialog*>(modal)) return;
    if (qobject_cast<CMainDlg*>(modal)) return;
    last_ = modal;
    Action action = actions_.front();
    actions_.pop_front();
    action(modal);
  }
  std::deque<Action> actions_;
  QTimer timer_;
  QPointer<QWidget> last_;
};

template <class T>
T* Control(QWidget* dialog, int id) {
  return dialog->findChild<T*>(QString::number(id));
}

void Press(QWidget* dialog, int id) { QTest::mouseClick(Control<QPushButton>(dialog, id), Qt::LeftButton); }

QStringList ShownTexts() {
  QStringList texts;
  for (const auto& shown : MessageBox::shown()) texts << shown.text;
  return texts;
}

void Drop(CMainDlg& window, const QList<QUrl>& urls) {
  QMimeData data;
  data.setUrls(urls);
  // As a drag does it: enter first, then drop.
  QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &enter);
  QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &drop);
  QCoreApplication::processEvents();
}

QUrl Local(const std::string& path) { return QUrl::fromLocalFile(QString::fromStdString(path)); }

}  // namespace

class MainDialogTest : public QObject {
  Q_OBJECT
 private slots:
  void init() { MessageBox::resetForTesting(); }

  void startsInMakeModeWithFocusOnThePath() {
    CMainDlg window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto* path = Control<QLineEdit>(&window, 1007);
    QCOMPARE(QApplication::focusWidget(), path);
    QVERIFY(path->text().isEmpty());
    QCOMPARE(path->maxLength(), 2048);
    QVERIFY(Control<QRadioButton>(&window, 1038)->isChecked());
    QVERIFY(Control<QRadioButton>(&window, 1000)->isChecked());
    QVERIFY(!Control<QCheckBox>(&window, 1011)->isChecked());
    QVERIFY(!Control<QCheckBox>(&window, 1030)->isChecked());
    for (QWidget* w : window.findChildren<QWidget*>()) QVERIFY(w->isEnabled());
    // The backgrounds are positions 5 to 10 of the object group, hidden.
    QButtonGroup* objects = Control<QRadioButton>(&window, 1000)->group();
    const int background[] = {1031, 1032, 1033, 1034, 1036, 1035};
    for (int i = 0; i < 6; ++i) {
      auto* radio = Control<QRadioButton>(&window, background[i]);
      QCOMPARE(objects->id(radio), 5 + i);
      QVERIFY(radio->isHidden());
    }
    // Tab goes round the tab stops in template order.
    const int tabOrder[] = {1008, 1011, 1030, 1, 1009, 2, 1007};
    for (int id : tabOrder) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget()->objectName(), QString::number(id));
    }
  }

  void modeSwitchesFollowTheActionButtons() {
    CMainDlg window;
    window.show();
    auto* kits = Control<QRadioButton>(&window, 1001);
    auto* option = Control<QCheckBox>(&window, 1011);
    QTest::mouseClick(kits, Qt::LeftButton);
    QTest::mouseClick(option, Qt::LeftButton);
    QTest::mouseClick(Control<QRadioButton>(&window, 1039), Qt::LeftButton);
    QVERIFY(Control<QRadioButton>(&window, 1000)->isChecked());
    QVERIFY(!option->isChecked() && !option->isEnabled() && !kits->isEnabled());
    QTest::mouseClick(Control<QRadioButton>(&window, 1038), Qt::LeftButton);
    QVERIFY(option->isEnabled() && kits->isEnabled());
    QVERIFY(Control<QRadioButton>(&window, 1000)->isChecked() && !option->isChecked());

    auto* club = Control<QRadioButton>(&window, 1002);
    QTest::mouseClick(club, Qt::LeftButton);
    QTest::mouseClick(option, Qt::LeftButton);
    QTest::mouseClick(Control<QRadioButton>(&window, 1039), Qt::LeftButton);
    QVERIFY(club->isChecked());
    QVERIFY(!option->isChecked());
  }

  void radioButtonsAnswerAccessKeysAndArrows() {
    CMainDlg window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_K, Qt::AltModifier);
    QTRY_VERIFY(Control<QRadioButton>(&window, 1001)->isChecked());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QVERIFY(Control<QRadioButton>(&window, 1003)->isChecked());
    QTest::keyClick(&window, Qt::Key_T, Qt::AltModifier);
    QTRY_VERIFY(!Control<QRadioButton>(&window, 1001)->isEnabled());  // translate mode
  }

  void quitAsksEveryWay() {
    CMainDlg window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    MessageBox::setNextAnswer(MessageButton::Cancel);
    QTest::keyClick(&window, Qt::Key_Escape);
    MessageBox::setNextAnswer(MessageButton::Cancel);
    Press(&window, 2);
    MessageBox::setNextAnswer(MessageButton::Cancel);
    window.close();
    QVERIFY(window.isVisible());
    QCOMPARE(MessageBox::shown().size(), size_t{3});
    for (const auto& shown : MessageBox::shown()) {
      QCOMPARE(shown.text, QStringLiteral("Do you really want to quit?"));
      QCOMPARE(shown.caption, QStringLiteral("Quit?"));
      QCOMPARE(shown.kind, MessageKind::Confirmation);
      QCOMPARE(shown.owner, &window);
    }
    MessageBox::setNextAnswer(MessageButton::Ok);
    window.close();
    QVERIFY(!window.isVisible());
    QCOMPARE(window.result(), int(QDialog::Rejected));
  }

  void enterInThePathBoxRunsGo() {
    CMainDlg window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    MessageBox::setNextAnswer(MessageButton::Ok);
    QTest::keyClick(Control<QLineEdit>(&window, 1007), Qt::Key_Return);
    QCOMPARE(ShownTexts(), QStringList{"Please choose directory!"});
    QVERIFY(window.isVisible());
  }

  void cancelledBrowseEmptiesThePath() {
    CMainDlg window;
    window.show();
    auto* path = Control<QLineEdit>(&window, 1007);
    mapio::qt::FolderChooser::setNextAnswer(QStringLiteral("/chosen"));
    Press(&window, 1008);
    QCOMPARE(path->text(), QStringLiteral("/chosen"));
    mapio::qt::FolderChooser::setNextAnswer(QString());
    Press(&window, 1008);
    QVERIFY(path->text().isEmpty());
    QCOMPARE(mapio::qt::FolderChooser::lastTitle(), QStringLiteral("Choose a folder"));
  }

  void dropsSetThePathAndRunWhenAsked() {
    CMainDlg window;
    window.show();
    TempFolder a, b, c;
    auto* path = Control<QLineEdit>(&window, 1007);
    Drop(window, {Local(a.str()), QUrl("https://example.com/x"), Local(b.str())});
    QCOMPARE(path->text(), QString::fromStdString(b.str()));
    QVERIFY(MessageBox::shown().empty());

    QTest::mouseClick(Control<QCheckBox>(&window, 1030), Qt::LeftButton);
    QTest::mouseClick(Control<QCheckBox>(&window, 1011), Qt::LeftButton);
    for (int i = 0; i < 3; ++i) MessageBox::setNextAnswer(MessageButton::Ok);
    Drop(window, {Local(a.str()), Local(b.str()), Local(c.str())});
    QCOMPARE(ShownTexts(), QStringList(3, "Success! 0 files added in XML file!"));
    for (TempFolder* f : {&a, &b, &c}) QVERIFY(f->Exists("config.xml"));
    QCOMPARE(path->text(), QString::fromStdString(c.str()));

    MessageBox::resetForTesting();
    a.Write("file.png");
    MessageBox::setNextAnswer(MessageButton::Ok);
    MessageBox::setNextAnswer(MessageButton::Yes);  // replace b's config.xml
    MessageBox::setNextAnswer(MessageButton::Ok);
    Drop(window, {Local(a.str() + "/file.png"), Local(b.str())});
    QCOMPARE(ShownTexts().first(), QStringLiteral("Directory does not exist, please check the path!"));
    QCOMPARE(ShownTexts().last(), QStringLiteral("Success! 0 files added in XML file!"));
  }

  void aboutEntryFollowsASeparator() {
    CMainDlg window;
    std::unique_ptr<QMenu> menu = window.MakeContextMenu();
    const QList<QAction*> actions = menu->actions();
    QCOMPARE(actions.size(), 2);
    QVERIFY(actions[0]->isSeparator());
    QCOMPARE(actions[1]->text(), QStringLiteral("&About Mapio..."));
  }

  void promptEnterAtOnceAcceptsZero() {
    CFileMap prompt;
    prompt.SetPicture("Face01.PNG", "0/3");
    ModalScript script({[](QWidget* d) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); (void)d; }});
    QCOMPARE(prompt.exec(), int(QDialog::Accepted));
    QCOMPARE(prompt.id(), 0u);
    QCOMPARE(Control<QLineEdit>(&prompt, 1013)->text(), QStringLiteral("Face01.PNG"));
  }

  void promptRefusesAClearedOrTooLargeId() {
    CFileMap prompt;
    bool stayedOpen = false;
    ModalScript script({[&](QWidget* d) {
      auto* id = Control<QLineEdit>(d, 1012);
      QCOMPARE(QApplication::focusWidget(), id);
      QCOMPARE(id->selectedText(), QStringLiteral("0"));
      QTest::keyClick(id, Qt::Key_Backspace);
      MessageBox::setNextAnswer(MessageButton::Ok);
      Press(d, 1);
      QTest::keyClicks(id, "4294967296x");  // the letter is not taken
      QCOMPARE(id->text(), QStringLiteral("4294967296"));
      MessageBox::setNextAnswer(MessageButton::Ok);
      QTest::keyClick(id, Qt::Key_Return);
      stayedOpen = d->isVisible();
      Press(d, 2);
    }});
    QCOMPARE(prompt.exec(), int(QDialog::Rejected));
    QVERIFY(stayedOpen);
    QCOMPARE(MessageBox::shown().size(), size_t{2});
    QCOMPARE(MessageBox::shown()[0].caption, QStringLiteral("Mapio"));
    QCOMPARE(MessageBox::shown()[0].kind, MessageKind::Warning);
  }

  void escapeDeclinesAndThirdAddsKitKindTwo() {
    {
      CKitMapDlg prompt;
      ModalScript script({[](QWidget*) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); }});
      QCOMPARE(prompt.exec(), int(QDialog::Rejected));
    }
    CKitMapDlg prompt;
    QVERIFY(Control<QRadioButton>(&prompt, 1023)->isChecked());
    ModalScript script({[](QWidget* d) {
      QTest::keyClicks(QApplication::focusWidget(), "1234");
      QTest::mouseClick(Control<QRadioButton>(d, 1025), Qt::LeftButton);
      QTest::mouseClick(Control<QRadioButton>(d, 1025), Qt::LeftButton);  // stays marked
      Press(d, 1);
    }});
    QCOMPARE(prompt.exec(), int(QDialog::Accepted));
    QCOMPARE(prompt.id(), 1234u);
    QCOMPARE(prompt.kitKind(), KitKind::Third);
  }

  void readOnlyFieldsTakeFocusButNoEdits() {
    CKitMapDlg prompt;
    prompt.SetPicture(QString(200, 'n') + ".png", "1/2");
    prompt.show();
    auto* name = Control<QLineEdit>(&prompt, 1020);
    QVERIFY(name->isReadOnly());
    QCOMPARE(name->focusPolicy(), Qt::StrongFocus);
    name->setFocus();
    QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(name, "x");
    QCOMPARE(name->selectedText(), QString(200, 'n') + ".png");
  }

  void previewShowsPicturesOnly() {
    TempFolder dir;
    QImage(400, 200, QImage::Format_RGB32).save(QString::fromStdString(dir.str() + "/wide.png"));
    dir.Write("notes.png", "not a picture");
    CFileMap plain;
    const QSize templateSize = plain.size();
    plain.SetPreview(QString::fromStdString(dir.str() + "/notes.png"));
    QVERIFY(plain.preview() == nullptr);
    QCOMPARE(plain.size(), templateSize);

    CFileMap prompt;
    const QPoint addAt = Control<QPushButton>(&prompt, 1)->pos();
    prompt.SetPreview(QString::fromStdString(dir.str() + "/wide.png"));
    QVERIFY(prompt.preview() != nullptr);
    QVERIFY(prompt.width() > templateSize.width());
    QCOMPARE(prompt.height(), templateSize.height());
    QCOMPARE(Control<QPushButton>(&prompt, 1)->pos(), addAt);
    const QSize shown = prompt.preview()->pixmap().size();
    QVERIFY(qAbs(shown.width() - shown.height() * 2) <= 1);
    QVERIFY(prompt.preview()->geometry().left() >= templateSize.width());
  }

  void progressShowsOnlyAfterHalfASecondOfWork() {
    qint64 now = 0;
    QWidget owner;
    mapio::qt::ProgressDisplay display(&owner, [&] { return now; });
    display.Begin();
    now = 400;
    display.Report({mapio::JobProgress::Phase::Counting, 10, 0});
    QVERIFY(!display.shown());
    now = 600;
    display.Report({mapio::JobProgress::Phase::Writing, 5, 20});
    QVERIFY(display.shown());
    QCOMPARE(display.dialog()->value(), 5);
    QCOMPARE(display.dialog()->labelText(), QStringLiteral("Writing records: 5 of 20 files"));
    {
      mapio::qt::ProgressDisplay::Pause pause(&display);
      QVERIFY(!display.shown());
      now = 5000;  // the user takes a while to answer
    }
    now = 5100;
    display.Report({mapio::JobProgress::Phase::Writing, 6, 20});
    QVERIFY(!display.shown());
    now = 5600;
    display.Report({mapio::JobProgress::Phase::Writing, 7, 20});
    QVERIFY(display.shown());
    display.End();
    QVERIFY(!display.shown());
  }

  void longMessagesScrollAndKeepTheirText() {
    QString text = QStringLiteral("The list of processed files:\n\n");
    for (int i = 0; i < 200000; ++i) text += QStringLiteral("f%1 -> %1\n").arg(i);
    text += QStringLiteral("\nRenamed 200000 of 200000 files.");
    QString seen;
    QSize size;
    ModalScript script({[&](QWidget* d) {
                          seen = d->findChild<QPlainTextEdit*>("text")->toPlainText();
                          size = d->size();
                          QTest::keyClick(d, Qt::Key_Return);
                        },
                        [](QWidget* d) { QTest::keyClick(d, Qt::Key_Escape); }});
    QCOMPARE(MessageBox::Show(nullptr, text.toStdString(), "Status", MessageKind::Information),
             MessageButton::Ok);
    QCOMPARE(seen, text);
    QVERIFY(size.height() < 800);
    QCOMPARE(MessageBox::Show(nullptr, text.toStdString(), "", MessageKind::Confirmation),
             MessageButton::Cancel);
  }

  void kitsFromTypingToConfigXml() {
    TempFolder dir;
    for (const char* name : {"a.png", "b.png", "c.png"}) dir.Write(name);
    CMainDlg window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClicks(Control<QLineEdit>(&window, 1007), QString::fromStdString(dir.str()));
    QTest::mouseClick(Control<QRadioButton>(&window, 1001), Qt::LeftButton);
    QStringList counters;
    auto answer = [&](const char* id, int radio, int button) {
      return [&counters, id, radio, button](QWidget* d) {
        counters << Control<QLineEdit>(d, 1022)->text();
        QTest::keyClicks(QApplication::focusWidget(), id);
        if (radio) QTest::mouseClick(Control<QRadioButton>(d, radio), Qt::LeftButton);
        Press(d, button);
      };
    };
    ModalScript script({answer("11", 0, 1), answer("", 0, 2), answer("33", 1024, 1)});
    MessageBox::setNextAnswer(MessageButton::Ok);
    QTest::keyClick(Control<QLineEdit>(&window, 1007), Qt::Key_Enter);
    QVERIFY(script.done());
    QCOMPARE(counters, (QStringList{"0/3", "1/3", "1/2"}));
    QCOMPARE(ShownTexts(), QStringList{"Success! 2 files added in XML file!"});
    QCOMPARE(MessageBox::shown()[0].caption, QStringLiteral("Success!"));
    const std::string records =
        "\t\t<record from=\"a\" to=\"graphics/pictures/team/11/kits/home\"/>\n"
        "\t\t<record from=\"c\" to=\"graphics/pictures/team/33/kits/away\"/>\n";
    const std::string text = dir.Read("config.xml");
    QVERIFY(text.starts_with("<record>\n\t<!-- resource manager options -->\n"));
    QVERIFY(text.ends_with("\t\t<!-- Auto generated by Mapio -->\n" + records +
                           "\t</list>\n</record>"));
    QCOMPARE(text.size(), size_t{550} + records.size() + 18);
  }
};

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  mapio::qt::SetUpApplication(app);
  MainDialogTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "main_dialog_test.moc"
