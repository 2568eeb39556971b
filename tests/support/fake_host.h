// A JobHost and an IdPrompter that record what the jobs say and answer from
// a script, so every job runs without a window.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/job_host.h"
#include "writer/mapping_updater.h"

namespace mapio::testing {

struct Message {
  std::string text;
  std::string caption;  // as the job passed it (empty = application name)
  MessageKind kind;
  bool operator==(const Message&) const = default;
};

// The boxes of a fake, each recorded; Warning and Information answer Ok.
class ScriptedBoxes {
 public:
  std::vector<Message> messages;
  // Answers for Confirmation/Question boxes, taken in order.
  std::deque<MessageButton> answers;

  std::vector<std::string> Texts() const;

 protected:
  // When the answers run out, a question gets Ok or Yes with `accept`, else
  // what Esc gives (Cancel or No).
  MessageButton Show(std::string_view text, std::string_view caption, MessageKind kind,
                     bool accept);
};

// Questions accepted when the answers run out.
class FakeHost : public JobHost, public ScriptedBoxes {
 public:
  // What the window's controls hold; PullSettings copies it out.
  JobSettings controls;
  std::vector<JobSettings> pushes;
  std::vector<JobProgress> progress;
  int pulls = 0;

  bool PullSettings(JobSettings& settings) override;
  void PushSettings(const JobSettings& settings) override;
  MessageButton ShowMessage(std::string_view text, std::string_view caption,
                            MessageKind kind) override {
    return Show(text, caption, kind, true);
  }
  void ReportProgress(const JobProgress& p) override { progress.push_back(p); }
};

struct PromptCall {
  std::string fileName;
  std::string counter;
  bool kit = false;
};

class ScriptedPrompter : public writer::UpdateEvents {
 public:
  // One answer per prompt; nullopt declines. Running out declines too.
  std::deque<std::optional<KitAnswer>> answers;
  std::vector<PromptCall> calls;
  // Runs while a prompt waits for its answer, as the world goes on meanwhile.
  std::function<void()> whileAsking;

  std::optional<std::uint32_t> AskFileId(std::string_view fileName,
                                         std::string_view counter) override;
  std::optional<KitAnswer> AskKitId(std::string_view fileName, std::string_view counter) override;

 private:
  std::optional<KitAnswer> Next();
};

}  // namespace mapio::testing
