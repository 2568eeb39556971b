// What the window's jobs need of the window: its settings, its message
// boxes and its progress display. Jobs themselves ask only their JobEvents.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/job_events.h"
#include "core/mapping_messages.h"
#include "core/object_kind.h"
#include "pack/read_format.h"
#include "ui/job_settings.h"

namespace mapio {

// warning: exclamation, OK; information: information, OK;
// confirmation: question, OK and Cancel; question: question, Yes and No.
enum class MessageKind { Warning, Information, Confirmation, Question };
enum class MessageButton { Ok, Cancel, Yes, No };

// The caption of every failure a job reports.
inline constexpr std::string_view kErrorCaption = "Error";

class JobHost {
 public:
  virtual ~JobHost() = default;
  // Copies the controls into `settings`. False only when the path box holds
  // more than it may; callers go on regardless.
  virtual bool PullSettings(JobSettings& settings) = 0;
  virtual void PushSettings(const JobSettings& settings) = 0;
  // An empty caption means kApplicationName.
  virtual MessageButton ShowMessage(std::string_view text, std::string_view caption,
                                    MessageKind kind) = 0;
  // Called often (once per file); cheap hosts ignore it.
  virtual void ReportProgress(const JobProgress& /*progress*/) {}
};

inline constexpr std::string_view kNoKitTemplateText = "This line was supposed to never show!";

// A copy of one half of the kind's template. Kits have none: that shows
// kNoKitTemplateText and yields an empty text.
std::string GetRecordTemplate(JobHost& host, ObjectKind objectKind, pack::TemplateHalf half);

}  // namespace mapio
