#include "ui/job_host.h"

namespace mapio {

std::string GetRecordTemplate(JobHost& host, ObjectKind objectKind, TemplateHalf half) {
  if (objectKind == Kits) {
    host.ShowMessage(kNoKitTemplateText, kErrorCaption, MessageKind::Warning);
    return {};
  }
  const RecordTemplate& t = RecordTemplateOf(objectKind);
  return std::string(half == TemplateHalf::Write ? t.writeFormat : t.readFormat);
}

}  // namespace mapio
