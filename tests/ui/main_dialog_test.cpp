// The main window through the real widgets.
#include "tests/support/pictures.h"
#include "tests/ui/qt_test_support.h"
#include "ui/qt/edit_dialog.h"

class MainDialogTest : public QObject {
  Q_OBJECT
  FakeDialogs dialogs;

 private slots:
  void init() { dialogs = FakeDialogs(); }

  void startsInMakeModeWithFocusOnThePath() {
    CMainDlg window(dialogs);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto* path = Control<QLineEdit>(&window, res::kPathBox);
    QCOMPARE(QApplication::focusWidget(), path);
    QVERIFY(path->text().isEmpty());
    QCOMPARE(path->maxLength(), 2048);
    QVERIFY(!window.windowIcon().isNull());
    QCOMPARE(window.windowTitle(), QStringLiteral("Mapio"));
    QVERIFY(Control<QRadioButton>(&window, res::kMakeButton)->isChecked());
    QVERIFY(Control<QRadioButton>(&window, res::kFacesButton)->isChecked());
    QVERIFY(!Control<QCheckBox>(&window, res::kAllFilenamesAreIdsBox)->isChecked());
    QVERIFY(!Control<QCheckBox>(&window, res::kProcessDroppedFoldersBox)->isChecked());
    for (QWidget* w : window.findChildren<QWidget*>()) QVERIFY(w->isEnabled());
    // The backgrounds are positions 5 to 10 of the object group, hidden.
    QButtonGroup* objects = Control<QRadioButton>(&window, res::kFacesButton)->group();
    const int background[] = {res::kStadiumBackgroundsButton, res::kClubBackgroundsButton,
                              res::kPlayerBackgroundsButton,  res::kCompBackgroundsButton,
                              res::kNationBackgroundsButton,  res::kDefaultBackgroundsButton};
    for (int i = 0; i < 6; ++i) {
      auto* radio = Control<QRadioButton>(&window, background[i]);
      QCOMPARE(objects->id(radio), 5 + i);
      QVERIFY(radio->isHidden());
    }
    // Tab goes round the tab stops in template order.
    const int tabOrder[] = {res::kBrowseButton,
                            res::kAllFilenamesAreIdsBox,
                            res::kProcessDroppedFoldersBox,
                            res::kGoButton,
                            res::kEditXmlButton,
                            res::kCheckButton,
                            res::kCloseButton,
                            res::kPathBox};
    for (int id : tabOrder) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget()->objectName(), QString::number(id));
    }
  }

  void modeSwitchesFollowTheActionButtons() {
    CMainDlg window(dialogs);
    window.show();
    auto* kits = Control<QRadioButton>(&window, res::kKitsButton);
    auto* option = Control<QCheckBox>(&window, res::kAllFilenamesAreIdsBox);
    QTest::mouseClick(kits, Qt::LeftButton);
    QTest::mouseClick(option, Qt::LeftButton);
    QTest::mouseClick(Control<QRadioButton>(&window, res::kTranslateButton), Qt::LeftButton);
    QVERIFY(Control<QRadioButton>(&window, res::kFacesButton)->isChecked());
    QVERIFY(!option->isChecked() && !option->isEnabled() && !kits->isEnabled());
    QTest::mouseClick(Control<QRadioButton>(&window, res::kMakeButton), Qt::LeftButton);
    QVERIFY(option->isEnabled() && kits->isEnabled());
    QVERIFY(Control<QRadioButton>(&window, res::kFacesButton)->isChecked() && !option->isChecked());

    auto* club = Control<QRadioButton>(&window, res::kClubLogosButton);
    QTest::mouseClick(club, Qt::LeftButton);
    QTest::mouseClick(option, Qt::LeftButton);
    QTest::mouseClick(Control<QRadioButton>(&window, res::kTranslateButton), Qt::LeftButton);
    QVERIFY(club->isChecked());
    QVERIFY(!option->isChecked());
  }

  void radioButtonsAnswerAccessKeysAndArrows() {
    CMainDlg window(dialogs);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_K, Qt::AltModifier);
    QTRY_VERIFY(Control<QRadioButton>(&window, res::kKitsButton)->isChecked());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QVERIFY(Control<QRadioButton>(&window, res::kNationLogosButton)->isChecked());
    QTest::keyClick(&window, Qt::Key_T, Qt::AltModifier);
    QTRY_VERIFY(!Control<QRadioButton>(&window, res::kKitsButton)->isEnabled());  // translate mode
    // A key that names no control does nothing; AltGr (Ctrl+Alt) still types.
    auto* path = Control<QLineEdit>(&window, res::kPathBox);
    path->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), path);
    QTest::keyClick(path, Qt::Key_S, Qt::AltModifier);
    QTest::keyClick(path, Qt::Key_Z, Qt::AltModifier | Qt::ShiftModifier);
    QKeyEvent altGr(QEvent::KeyPress, Qt::Key_At, Qt::AltModifier | Qt::ControlModifier, "@");
    QApplication::sendEvent(path, &altGr);
    QTest::keyClick(path, Qt::Key_X);
    QCOMPARE(path->text(), QStringLiteral("@x"));
  }

  void quitAsksEveryWay() {
    CMainDlg window(dialogs);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_Escape);  // each answered Cancel
    Press(&window, res::kCloseButton);
    window.close();
    QVERIFY(window.isVisible());
    const Message quit{"Do you really want to quit?", "Quit?", MessageKind::Confirmation};
    QCOMPARE(dialogs.messages, std::vector<Message>(3, quit));
    QCOMPARE(dialogs.owners, std::vector<QWidget*>(3, &window));
    dialogs.answers = {MessageButton::Ok};
    window.close();
    QVERIFY(!window.isVisible());
    QCOMPARE(window.result(), int(QDialog::Rejected));
  }

  void enterInThePathBoxRunsGo() {
    CMainDlg window(dialogs);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(Control<QLineEdit>(&window, res::kPathBox), Qt::Key_Return);
    QCOMPARE(dialogs.Texts(), Texts{"Please choose directory!"});
    QVERIFY(window.isVisible());
  }

  void browseSetsThePath() {
    CMainDlg window(dialogs);
    window.show();
    dialogs.folders = {"/chosen"};
    Press(&window, res::kBrowseButton);
    QCOMPARE(Control<QLineEdit>(&window, res::kPathBox)->text(), QStringLiteral("/chosen"));
  }

  void dropsSetThePathAndRunWhenAsked() {
    CMainDlg window(dialogs);
    window.show();
    TempFolder a, b, c;
    auto* path = Control<QLineEdit>(&window, res::kPathBox);
    Drop(*path, {Local(a.str()), QUrl("https://example.com/x"), Local(b.str())});
    QCOMPARE(path->text(), QString::fromStdString(b.str()));
    QVERIFY(dialogs.messages.empty());

    QTest::mouseClick(Control<QCheckBox>(&window, res::kProcessDroppedFoldersBox), Qt::LeftButton);
    QTest::mouseClick(Control<QCheckBox>(&window, res::kAllFilenamesAreIdsBox), Qt::LeftButton);
    Drop(window, {Local(a.str()), Local(b.str()), Local(c.str())});
    QCOMPARE(dialogs.Texts(), Texts(3, "Success! 0 files added in XML file!"));
    for (TempFolder* f : {&a, &b, &c}) QVERIFY(f->Exists("config.xml"));
    QCOMPARE(path->text(), QString::fromStdString(c.str()));

    dialogs.messages.clear();
    a.Write("file.png");
    dialogs.answers = {MessageButton::Yes};  // replace b's config.xml
    Drop(window, {Local(a.str() + "/file.png"), Local(b.str())});
    QCOMPARE(dialogs.Texts().front(), "Directory does not exist, please check the path!");
    QCOMPARE(dialogs.Texts().back(), "Success! 0 files added in XML file!");
  }

  void aboutEntryFollowsASeparator() {
    CMainDlg window(dialogs);
    std::unique_ptr<QMenu> menu = window.MakeContextMenu();
    const QList<QAction*> actions = menu->actions();
    QCOMPARE(actions.size(), 2);
    QVERIFY(actions[0]->isSeparator());
    QCOMPARE(actions[1]->text(), QStringLiteral("&About Mapio..."));
    QString caption;
    ModalScript script({[&](QWidget* d) {
      caption = d->windowTitle();
      QTest::keyClick(d, Qt::Key_Escape);
    }});
    actions[1]->trigger();
    QCOMPARE(caption, QStringLiteral("About Mapio"));
    QVERIFY(window.isEnabled());
  }

  void editXmlOpensTheFoldersConfigXml() {
    TempFolder dir;
    dir.Write("config.xml", "<record>\n</record>");
    CMainDlg window(dialogs);
    window.show();
    QTest::keyClicks(Control<QLineEdit>(&window, res::kPathBox), QString::fromStdString(dir.str()));
    QString text;
    ModalScript script({[&](QWidget* d) {
      text = QString::fromStdString(
          std::string(qobject_cast<mapio::qt::CXEditDlg*>(d)->Box().Bytes()));
      Press(d, res::kEditorCloseButton);
    }});
    Press(&window, res::kEditXmlButton);
    QCOMPARE(text, QStringLiteral("<record>\n</record>"));
    QVERIFY(dialogs.messages.empty());
  }

  void checkReportsTheFolderInThePathBox() {
    TempFolder dir;
    dir.Write("a.png", mapio::testing::kTinyPng);
    dir.Write("config.xml",
              "<record>\n\t<list id=\"maps\">\n"
              "\t\t<record from=\"a\" to=\"graphics/pictures/person/1/portrait\"/>\n"
              "\t</list>\n</record>");
    CMainDlg window(dialogs);
    window.show();
    Press(&window, res::kCheckButton);
    QTest::keyClicks(Control<QLineEdit>(&window, res::kPathBox), QString::fromStdString(dir.str()));
    // Clean, and reported for the IDs it could write with "r-".
    QString caption, clean, offered, summary;
    QStringList row;
    ModalScript script({[&](QWidget* d) {
                          caption = d->windowTitle();
                          clean = Control<QLabel>(d, res::kReportSummary)->text();
                          offered = Control<QPushButton>(d, res::kUseGeneratedIdsButton)->text();
                          static_cast<QDialog*>(d)->reject();
                        },
                        [&](QWidget* d) {
                          summary = Control<QLabel>(d, res::kReportSummary)->text();
                          const QAbstractItemModel& table =
                              *Control<QTableView>(d, res::kReportTable)->model();
                          for (int c = 0; c < table.columnCount(); ++c)
                            row << table.index(0, c).data().toString();
                          Press(d, res::kReportCopyButton);
                          static_cast<QDialog*>(d)->reject();
                        }});
    Press(&window, res::kCheckButton);
    QCOMPARE(dialogs.Texts(), Texts{"Please choose directory!"});
    QCOMPARE(caption, QStringLiteral("Check"));
    const QString folder = QString::fromStdString(dir.str());
    QCOMPARE(clean, folder +
                        ": 1 record, 1 picture, 0 findings; usual size 1x1, 0 pictures of another "
                        "size\nNothing is wrong with this pack.\nID style: plain (1 record)");
    QCOMPARE(offered, QStringLiteral("Use &r- IDs"));

    dir.Write("B.gif", mapio::testing::kTinyGif);
    Press(&window, res::kCheckButton);
    QVERIFY(script.done());
    QCOMPARE(summary, folder +
                          ": 1 record, 2 pictures, 1 finding; usual size 1x1, 0 pictures of "
                          "another size\nID style: plain (1 record)");
    QCOMPARE(row, (QStringList{"unmapped", "", "B.gif", "", "no record names this picture"}));
    QCOMPARE(QApplication::clipboard()->text(),
             folder + "/B.gif: unmapped: no record names this picture\n");
    QCOMPARE(dialogs.messages.size(), size_t{1});
  }

  // The report's "Add" button runs the update, which takes its IDs from the
  // names when "All filenames are IDs" is ticked; the report then checks again.
  void updateFromTheCheckReport() {
    TempFolder dir;
    dir.Write("a.png", mapio::testing::kTinyPng);
    dir.Write("7.png", mapio::testing::kTinyPng);
    const std::string before =
        "<record>\n\t<list id=\"maps\">\n"
        "\t\t<record from=\"a\" to=\"graphics/pictures/person/1/portrait\"/>\n";
    dir.Write("config.xml", before + "\t</list>\n</record>");
    CMainDlg window(dialogs);
    window.show();
    QTest::keyClicks(Control<QLineEdit>(&window, res::kPathBox), QString::fromStdString(dir.str()));
    QTest::mouseClick(Control<QCheckBox>(&window, res::kAllFilenamesAreIdsBox), Qt::LeftButton);
    QString offered, after;
    ModalScript script({[&](QWidget* d) {
                          auto* add = Control<QPushButton>(d, res::kAddNewButton);
                          offered = add->text();
                          QVERIFY(Control<QPushButton>(d, res::kRemoveMissingButton)->isHidden());
                          QTest::mouseClick(add, Qt::LeftButton);
                        },
                        KeepSummaryAndClose(after)});
    dialogs.answers = {MessageButton::Yes};
    Press(&window, res::kCheckButton);
    QVERIFY(script.done());
    QCOMPARE(offered, QStringLiteral("&Add 1 new picture"));
    QCOMPARE(QString::fromStdString(dir.Read("config.xml")),
             QString::fromStdString(
                 before + "\t\t<record from=\"7\" to=\"graphics/pictures/person/7/portrait\"/>\n"
                          "\t</list>\n</record>"));
    QCOMPARE(dialogs.Texts(),
             (Texts{"Add a record for the new picture at the end of the list in config.xml? "
                    "Nothing else in the file changes.",
                    "Success! 1 files added in XML file!\n1 record kept, 0 removed."}));
    QCOMPARE(after, QString::fromStdString(dir.str()) +
                        ": 2 records, 2 pictures, 0 findings; usual size 1x1, 0 pictures of "
                        "another size\nNothing is wrong with this pack.\nID style: plain (2 "
                        "records)");
  }

  void kitsFromTypingToConfigXml() {
    TempFolder dir;
    for (const char* name : {"a.png", "b.png", "c.png"}) dir.Write(name);
    CMainDlg window(dialogs);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClicks(Control<QLineEdit>(&window, res::kPathBox), QString::fromStdString(dir.str()));
    QTest::mouseClick(Control<QRadioButton>(&window, res::kKitsButton), Qt::LeftButton);
    QStringList counters;
    auto answer = [&](const char* id, int radio, int button) {
      return [&counters, id, radio, button](QWidget* d) {
        counters << Control<QLineEdit>(d, res::kKitCounterBox)->text();
        QTest::keyClicks(QApplication::focusWidget(), id);
        if (radio) QTest::mouseClick(Control<QRadioButton>(d, radio), Qt::LeftButton);
        Press(d, button);
      };
    };
    ModalScript script({answer("11", 0, res::kAddButton), answer("", 0, res::kDoNotAddButton),
                        answer("33", res::kAwayButton, res::kAddButton)});
    QTest::keyClick(Control<QLineEdit>(&window, res::kPathBox), Qt::Key_Enter);
    QVERIFY(script.done());
    QCOMPARE(counters, (QStringList{"0/3", "1/3", "1/2"}));
    QCOMPARE(dialogs.messages, (std::vector<Message>{{"Success! 2 files added in XML file!",
                                                      "Success!", MessageKind::Information}}));
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

int RunPromptTests(int argc, char** argv);
int RunReportTests(int argc, char** argv);

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  mapio::qt::SetUpApplication(app);
  MainDialogTest test;
  const int failed = QTest::qExec(&test, argc, argv);
  return failed + RunPromptTests(argc, argv) + RunReportTests(argc, argv);
}

#include "main_dialog_test.moc"
