// A window's Dialogs without a person: boxes recorded with their owners,
// questions answered as Esc would when the answers run out, the folder
// browser from `folders` (an empty text for a cancel).
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "tests/support/fake_host.h"

namespace mapio::testing {

template <class Interface>
class FakeDialogs : public Interface, public ScriptedBoxes {
 public:
  using Owner = typename Interface::Owner;
  std::vector<Owner> owners;  // of each of `messages`
  std::deque<std::string> folders;

  MessageButton ShowMessage(Owner owner, std::string_view text, std::string_view caption,
                            MessageKind kind) override {
    owners.push_back(owner);
    return Show(text, caption, kind, false);
  }
  std::string BrowseForFolder(Owner /*owner*/) override {
    if (folders.empty()) return {};
    std::string folder = std::move(folders.front());
    folders.pop_front();
    return folder;
  }
};

}  // namespace mapio::testing
