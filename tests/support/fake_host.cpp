#include "tests/support/fake_host.h"

namespace mapio::testing {

bool FakeHost::PullSettings(JobSettings& settings) {
  ++pulls;
  settings = controls;
  return true;
}

void FakeHost::PushSettings(const JobSettings& settings) {
  controls = settings;
  pushes.push_back(settings);
}

MessageButton ScriptedBoxes::Show(std::string_view text, std::string_view caption, MessageKind kind,
                                  bool accept) {
  messages.push_back({std::string(text), std::string(caption), kind});
  if (kind == MessageKind::Warning || kind == MessageKind::Information) return MessageButton::Ok;
  if (answers.empty()) {
    if (kind == MessageKind::Question) return accept ? MessageButton::Yes : MessageButton::No;
    return accept ? MessageButton::Ok : MessageButton::Cancel;
  }
  const MessageButton answer = answers.front();
  answers.pop_front();
  return answer;
}

std::vector<std::string> ScriptedBoxes::Texts() const {
  std::vector<std::string> texts;
  for (const auto& m : messages) texts.push_back(m.text);
  return texts;
}

std::optional<KitAnswer> ScriptedPrompter::Next() {
  if (whileAsking) whileAsking();
  if (answers.empty()) return std::nullopt;
  auto a = answers.front();
  answers.pop_front();
  return a;
}

std::optional<std::uint32_t> ScriptedPrompter::AskFileId(std::string_view fileName,
                                                         std::string_view counter) {
  calls.push_back({std::string(fileName), std::string(counter), false});
  auto a = Next();
  if (!a) return std::nullopt;
  return a->id;
}

std::optional<KitAnswer> ScriptedPrompter::AskKitId(std::string_view fileName,
                                                    std::string_view counter) {
  calls.push_back({std::string(fileName), std::string(counter), true});
  return Next();
}

}  // namespace mapio::testing
