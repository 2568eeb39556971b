// Helpers of the Qt tests: answer modal dialogs, find controls by id.
#pragma once

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTimer>
#include <QUrl>
#include <QtTest>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "res/control_ids.h"
#include "tests/support/fake_dialogs.h"
#include "tests/support/temp_folder.h"
#include "tests/support/pictures.h"
#include "ui/qt/dialogs.h"
#include "ui/qt/id_prompts.h"
#include "ui/qt/main_dialog.h"
#include "ui/qt/map_app.h"
#include "ui/qt/progress_display.h"

namespace mapio::qt::testing {

using FakeDialogs = mapio::testing::FakeDialogs<Dialogs>;

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
  // A dialog is acted on once it is the active window, as a user would: the
  // window system activates a new window later than it shows it, and until
  // then the keys would go to the window behind.
  void Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == last_ || actions_.empty() || !qobject_cast<QDialog*>(modal)) return;
    if (qobject_cast<CMainDlg*>(modal)) return;
    // A dialog gets its focus once it is active: acting before that would
    // type into whatever had the focus before it.
    if (QApplication::activeWindow() != modal) return;
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

inline void Press(QWidget* dialog, int id) {
  QTest::mouseClick(Control<QPushButton>(dialog, id), Qt::LeftButton);
}

// A step for the check's report: keeps its summary and closes it.
inline ModalScript::Action KeepSummaryAndClose(QString& summary) {
  return [&summary](QWidget* report) {
    summary = Control<QLabel>(report, res::kReportSummary)->text();
    static_cast<QDialog*>(report)->reject();
  };
}

inline void Drop(QWidget& window, const QList<QUrl>& urls) {
  QMimeData data;
  data.setUrls(urls);
  // As a drag does it: enter first, then drop.
  QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &enter);
  QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &drop);
  QCoreApplication::processEvents();
}

inline QUrl Local(const std::string& path) {
  return QUrl::fromLocalFile(QString::fromStdString(path));
}

}  // namespace mapio::qt::testing

// The names the Qt test programs use, for every one of their files.
using mapio::KitKind;
using mapio::MessageButton;
using mapio::MessageKind;
using mapio::qt::CFileMap;
using mapio::qt::CKitMapDlg;
using mapio::qt::CMainDlg;
using mapio::testing::Message;
using mapio::testing::TempFolder;
using Texts = std::vector<std::string>;

using namespace mapio::qt::testing;
namespace res = mapio::res;
