// The check's report window wired to its table, its filters, the editor
// and the jobs of its buttons.
#include <QComboBox>
#include <Qsci/qsciscintilla.h>

#include "tests/support/face_pack.h"
#include "tests/ui/qt_test_support.h"
#include "translator/mapping_translator.h"

using mapio::testing::FacePack;

namespace {

QTableView* Table(QWidget* report) { return Control<QTableView>(report, res::kReportTable); }

QStringList Column(QWidget* report, int column) {
  QStringList cells;
  const QAbstractItemModel& model = *Table(report)->model();
  for (int row = 0; row < model.rowCount(); ++row)
    cells << model.index(row, column).data().toString();
  return cells;
}

}  // namespace

class ReportWindowTest : public QObject {
  Q_OBJECT
  FakeDialogs dialogs;

 private slots:
  void init() { dialogs = FakeDialogs(); }

  // A filter hides the other categories' rows; a double click opens the
  // editor with the finding's line selected; after a save the report is
  // checked again, the filter kept.
  void filterThenDoubleClickEditsTheLine() {
    TempFolder dir;
    dir.Write("a.png", mapio::testing::kTinyPng);
    dir.Write("stray.png", mapio::testing::kTinyPng);
    dir.Write("config.xml", FacePack({{"a", "1"}, {"gone", "2"}, {"lost", "3"}}));
    CMainDlg window(dialogs);
    window.show();
    QTest::keyClicks(Control<QLineEdit>(&window, res::kPathBox), QString::fromStdString(dir.str()));
    QStringList names, filtered, refreshed;
    QString selected, facts;
    ModalScript script(
        {[&](QWidget* d) {
           names = Column(d, 2);
           Table(d)->setCurrentIndex(Table(d)->model()->index(2, 0));
           facts = Control<QLabel>(d, res::kReportPictureFacts)->text();
           QTest::mouseClick(Control<QRadioButton>(d, res::kReportFilterFirst + 1), Qt::LeftButton);
           filtered = Column(d, 2);
           QTableView* table = Table(d);
           const QRect second = table->visualRect(table->model()->index(1, 2));
           dialogs.answers = {MessageButton::Ok};  // save? OK
           // From the report's own loop, so that the script acts on the editor.
           QTimer::singleShot(0, table, [table, second] {
             // As a mouse does it: a click, then the second press.
             QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, second.center());
             QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, second.center());
           });
         },
         [&](QWidget* d) {
           auto* box = Control<QsciScintilla>(d, res::kXmlTextBox);
           selected = box->selectedText();
           box->removeSelectedText();
           box->SendScintilla(QsciScintillaBase::SCI_CLEAR);  // the line's end
           Press(d, res::kSaveButton);
         },
         [&](QWidget* d) {
           refreshed = Column(d, 2);
           static_cast<QDialog*>(d)->reject();
         }});
    Press(&window, res::kCheckButton);
    QVERIFY(script.done());
    QCOMPARE(names, (QStringList{"gone", "lost", "stray.png"}));
    QCOMPARE(facts, QStringLiteral("PNG, 1 \u00d7 1 pixels, 69 bytes"));
    QCOMPARE(filtered, (QStringList{"gone", "lost"}));
    QCOMPARE(
        selected,
        QStringLiteral("\t\t<record from=\"lost\" to=\"graphics/pictures/person/3/portrait\"/>"));
    QCOMPARE(refreshed, QStringList{"gone"});
    QCOMPARE(dir.Read("config.xml"), FacePack({{"a", "1"}, {"gone", "2"}}));
  }

  // "Use r- IDs" asks, converts, and the fresh report offers the way back.
  void convertButtonConvertsAndReportsAgain() {
    TempFolder dir;
    dir.Write("config.xml", FacePack({{"gone", "2"}}));
    CMainDlg window(dialogs);
    window.show();
    QTest::keyClicks(Control<QLineEdit>(&window, res::kPathBox), QString::fromStdString(dir.str()));
    bool plainOffered = false, generatedOffered = true;
    ModalScript script({[&](QWidget* d) {
                          QVERIFY(Control<QPushButton>(d, res::kUsePlainIdsButton)->isHidden());
                          Press(d, res::kUseGeneratedIdsButton);
                        },
                        [&](QWidget* d) {
                          plainOffered =
                              !Control<QPushButton>(d, res::kUsePlainIdsButton)->isHidden();
                          generatedOffered =
                              !Control<QPushButton>(d, res::kUseGeneratedIdsButton)->isHidden();
                          static_cast<QDialog*>(d)->reject();
                        }});
    dialogs.answers = {MessageButton::Yes};
    Press(&window, res::kCheckButton);
    QVERIFY(script.done());
    QCOMPARE(dir.Read("config.xml"), FacePack({{"gone", "r-2"}}));
    QVERIFY(plainOffered && !generatedOffered);
    QCOMPARE(dialogs.Texts(), (Texts{"Convert the 1 record of faces with plain IDs in config.xml "
                                     "to r- IDs? Nothing else in the file changes.",
                                     "1 record of faces converted to r- IDs."}));
  }

  void severalPacksHaveAPackColumnAFilterAndFindId();

  // "Undo last translate" asks, renames back, and the pack checks clean.
  void undoButtonTakesTheTranslateBack() {
    TempFolder dir;
    dir.Write("a.png", mapio::testing::kTinyPng);
    dir.Write("config.xml", FacePack({{"a", "7"}}));
    mapio::translator::TranslateNames(dir.str(), {});
    CMainDlg window(dialogs);
    window.show();
    QTest::keyClicks(Control<QLineEdit>(&window, res::kPathBox), QString::fromStdString(dir.str()));
    QString offered, after;
    ModalScript script({[&](QWidget* d) {
                          offered = Control<QPushButton>(d, res::kUndoTranslateButton)->text();
                          Press(d, res::kUndoTranslateButton);
                        },
                        KeepSummaryAndClose(after)});
    dialogs.answers = {MessageButton::Yes};
    Press(&window, res::kCheckButton);
    QVERIFY(script.done());
    QCOMPARE(offered, QStringLiteral("&Undo last translate (1 rename)"));
    QCOMPARE(dir.List(), (Texts{"a.png", "config.xml"}));
    QCOMPARE(dialogs.messages.size(), size_t{2});
    QVERIFY(after.contains("Nothing is wrong with this pack."));
  }
};

// A folder with packs below it: the Pack column and filter, Find ID with
// the picture beside it, and a button of the current finding's pack.
void ReportWindowTest::severalPacksHaveAPackColumnAFilterAndFindId() {
  TempFolder dir;
  dir.Write("a/x.png", mapio::testing::kTinyPng);
  dir.Write("a/config.xml", FacePack({{"x", "1"}}));
  dir.Write("b/config.xml", FacePack({{"gone", "1"}}));
  CMainDlg window(dialogs);
  window.show();
  QTest::keyClicks(Control<QLineEdit>(&window, res::kPathBox), QString::fromStdString(dir.str()));
  QStringList packs, categories, filtered;
  QString header, answer, pictureName, after;
  ModalScript script({[&](QWidget* d) {
                        header = Table(d)->model()->headerData(0, Qt::Horizontal).toString();
                        packs = Column(d, 0);
                        categories = Column(d, 1);
                        auto* filter = Control<QComboBox>(d, res::kReportPackFilter);
                        filter->setCurrentIndex(2);  // b
                        emit filter->activated(2);
                        filtered = Column(d, 0);
                        QTest::keyClicks(Control<QLineEdit>(d, res::kReportFindIdBox),
                                         QStringLiteral("1"));
                        Press(d, res::kReportFindIdButton);
                        answer = Control<QPlainTextEdit>(d, res::kReportIdAnswer)->toPlainText();
                        pictureName = Control<QLabel>(d, res::kReportPictureName)->text();
                        Table(d)->setCurrentIndex(Table(d)->model()->index(0, 0));  // b's finding
                        Press(d, res::kUseGeneratedIdsButton);
                      },
                      KeepSummaryAndClose(after)});
  dialogs.answers = {MessageButton::Yes};
  Press(&window, res::kCheckButton);
  QVERIFY(script.done());
  QCOMPARE(header, QStringLiteral("Pack"));
  QCOMPARE(packs, (QStringList{"b", "a"}));
  QCOMPARE(categories, (QStringList{"missing", "clash"}));
  QCOMPARE(filtered, QStringList{"b"});
  QVERIFY2(answer.endsWith("faces 1: mapped by 2 records: the game shows only one of their "
                           "pictures\n"),
           qPrintable(answer));
  QCOMPARE(pictureName, QStringLiteral("a/x.png"));
  QCOMPARE(dir.Read("a/config.xml"), FacePack({{"x", "1"}}));
  QCOMPARE(dir.Read("b/config.xml"), FacePack({{"gone", "r-1"}}));
}

int RunReportTests(int argc, char** argv) {
  ReportWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "report_window_test.moc"
