// Every message box of the Qt front end goes through MessageBox::Show, so
// that tests can answer boxes instead of a person.
#pragma once

#include <QString>

#include <string_view>
#include <vector>

#include "ui/job_host.h"

class QWidget;

namespace mapio::qt {

class MessageBox {
 public:
  // A modal box owned by `owner`: the icon and buttons of `kind`
  // (warning: exclamation, OK; information: OK; confirmation: question,
  // OK and Cancel; question: question, Yes and No). An empty caption
  // shows the application's name.
  static MessageButton Show(QWidget* owner, std::string_view text, std::string_view caption,
                            MessageKind kind);

  // Test seam: the next Show returns `answer` without opening a window.
  // Several calls queue answers in order.
  static void setNextAnswer(MessageButton answer);

  struct Shown {
    QString text;
    QString caption;
    MessageKind kind;
    QWidget* owner;
  };
  // What Show was asked to show since the last reset, answered or not.
  static const std::vector<Shown>& shown();
  // Drops queued answers and the record of shown boxes.
  static void resetForTesting();
};

}  // namespace mapio::qt
