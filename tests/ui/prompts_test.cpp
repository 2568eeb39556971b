// The ID prompts, the progress display, and the program's own boxes and
// folder browser.
#include "tests/ui/qt_test_support.h"

class PromptTest : public QObject {
  Q_OBJECT
  FakeDialogs dialogs;

 private slots:
  void init() { dialogs = FakeDialogs(); }

  void promptEnterAtOnceAcceptsZero() {
    CFileMap prompt(dialogs);
    prompt.SetPicture("Face01.PNG", "0/3");
    ModalScript script({[](QWidget* d) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
      (void)d;
    }});
    QCOMPARE(prompt.exec(), int(QDialog::Accepted));
    QCOMPARE(prompt.id(), 0u);
    QCOMPARE(Control<QLineEdit>(&prompt, res::kFileNameBox)->text(), QStringLiteral("Face01.PNG"));
  }

  void promptRefusesAClearedOrTooLargeId() {
    CFileMap prompt(dialogs);
    bool stayedOpen = false;
    ModalScript script({[&](QWidget* d) {
      auto* id = Control<QLineEdit>(d, res::kFileIdBox);
      QCOMPARE(QApplication::focusWidget(), id);
      QCOMPARE(id->selectedText(), QStringLiteral("0"));
      QTest::keyClick(id, Qt::Key_Backspace);
      Press(d, res::kAddButton);
      QTest::keyClicks(id, "4294967296x");  // the letter is not taken
      QCOMPARE(id->text(), QStringLiteral("4294967296"));
      QTest::keyClick(id, Qt::Key_Return);
      stayedOpen = d->isVisible();
      Press(d, res::kDoNotAddButton);
    }});
    QCOMPARE(prompt.exec(), int(QDialog::Rejected));
    QVERIFY(stayedOpen);
    const Message refused{"Please enter a whole number from 0 to 4294967295.", "Mapio",
                          MessageKind::Warning};
    QCOMPARE(dialogs.messages, std::vector<Message>(2, refused));
    QCOMPARE(dialogs.owners[0], &prompt);
  }

  void escapeDeclinesAndThirdAddsKitKindTwo() {
    {
      CKitMapDlg prompt(dialogs);
      ModalScript script(
          {[](QWidget*) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); }});
      QCOMPARE(prompt.exec(), int(QDialog::Rejected));
    }
    CKitMapDlg prompt(dialogs);
    QVERIFY(Control<QRadioButton>(&prompt, res::kHomeButton)->isChecked());
    ModalScript script({[](QWidget* d) {
      QTest::keyClicks(QApplication::focusWidget(), "1234");
      QTest::mouseClick(Control<QRadioButton>(d, res::kThirdButton), Qt::LeftButton);
      QTest::mouseClick(Control<QRadioButton>(d, res::kThirdButton),
                        Qt::LeftButton);  // stays marked
      Press(d, res::kAddButton);
    }});
    QCOMPARE(prompt.exec(), int(QDialog::Accepted));
    QCOMPARE(prompt.id(), 1234u);
    QCOMPARE(prompt.kitKind(), KitKind::Third);
  }

  void readOnlyFieldsTakeFocusButNoEdits() {
    CKitMapDlg prompt(dialogs);
    prompt.SetPicture(QString(200, 'n') + ".png", "1/2");
    prompt.show();
    auto* name = Control<QLineEdit>(&prompt, res::kKitNameBox);
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
    CFileMap plain(dialogs);
    const QSize templateSize = plain.size();
    plain.SetPreview(QString::fromStdString(dir.str() + "/notes.png"));
    QVERIFY(plain.preview() == nullptr);
    QCOMPARE(plain.size(), templateSize);

    CFileMap prompt(dialogs);
    const QPoint addAt = Control<QPushButton>(&prompt, res::kAddButton)->pos();
    prompt.SetPreview(QString::fromStdString(dir.str() + "/wide.png"));
    QVERIFY(prompt.preview() != nullptr);
    QVERIFY(prompt.width() > templateSize.width());
    QCOMPARE(prompt.height(), templateSize.height());
    QCOMPARE(Control<QPushButton>(&prompt, res::kAddButton)->pos(), addAt);
    const QSize shown = prompt.preview()->pixmap().size();
    QVERIFY(qAbs(shown.width() - shown.height() * 2) <= 1);
    QVERIFY(prompt.preview()->geometry().left() >= templateSize.width());
  }

  // The timing is ProgressPacer's, tested there: the display follows it,
  // hides for a box and at the end.
  void progressFollowsThePacerAndHidesForBoxes() {
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
      now = 5000;
      display.Report({mapio::JobProgress::Phase::Writing, 6, 20});
      QVERIFY(!display.shown());
    }
    now = 5500;
    display.Report({mapio::JobProgress::Phase::Writing, 7, 20});
    QVERIFY(display.shown());
    display.End();
    QVERIFY(!display.shown());
  }

  // The program's own: a long message scrolls and keeps its text; the
  // folder browser's title, and a cancel that chooses nothing.
  void longMessagesAndTheFolderBrowser() {
    QString text = QStringLiteral("The list of processed files:\n\n");
    for (int i = 0; i < 200000; ++i) text += QStringLiteral("f%1 -> %1\n").arg(i);
    text += QStringLiteral("\nRenamed 200000 of 200000 files.");
    QString seen, title;
    QSize size;
    ModalScript script({[&](QWidget* d) {
                          seen = d->findChild<QPlainTextEdit*>("text")->toPlainText();
                          size = d->size();
                          QTest::keyClick(d, Qt::Key_Return);
                        },
                        [](QWidget* d) { QTest::keyClick(d, Qt::Key_Escape); },
                        [&](QWidget* d) {
                          title = d->windowTitle();
                          static_cast<QDialog*>(d)->reject();
                        }});
    mapio::qt::QtDialogs real;
    QCOMPARE(real.ShowMessage(nullptr, text.toStdString(), "Status", MessageKind::Information),
             MessageButton::Ok);
    QCOMPARE(seen, text);
    QVERIFY(size.height() < 800);
    QCOMPARE(real.ShowMessage(nullptr, text.toStdString(), "Status", MessageKind::Confirmation),
             MessageButton::Cancel);
    QCOMPARE(real.BrowseForFolder(nullptr), std::string());
    QCOMPARE(title, QStringLiteral("Choose a folder"));
  }
};

int RunPromptTests(int argc, char** argv) {
  PromptTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "prompts_test.moc"
