// What a message box of each kind shows: its icon, its buttons and the
// answer it gives when closed without one. Every box of every front end
// reads it, so a kind looks and answers the same everywhere.
#pragma once

#include <array>

#include "ui/job_host.h"

namespace mapio::ui {

enum class MessageIcon { Warning, Information, Question };

struct MessageLook {
  MessageIcon icon;
  int buttonCount;                       // 1 or 2
  std::array<MessageButton, 2> buttons;  // the first is the default
  MessageButton closed;                  // Esc or the close box
};

constexpr MessageLook LookOf(MessageKind kind) {
  switch (kind) {
    case MessageKind::Warning:
      return {MessageIcon::Warning, 1, {MessageButton::Ok, MessageButton::Ok}, MessageButton::Ok};
    case MessageKind::Information: break;
    case MessageKind::Confirmation:
      return {MessageIcon::Question,
              2,
              {MessageButton::Ok, MessageButton::Cancel},
              MessageButton::Cancel};
    case MessageKind::Question:
      return {MessageIcon::Question, 2, {MessageButton::Yes, MessageButton::No}, MessageButton::No};
  }
  return {MessageIcon::Information, 1, {MessageButton::Ok, MessageButton::Ok}, MessageButton::Ok};
}

}  // namespace mapio::ui
