#include "ui/job_host.h"

namespace mapio {

std::string GetRecordTemplate(JobHost& host, ObjectKind objectKind, pack::TemplateHalf half) {
  if (objectKind == Kits) {
    host.ShowMessage(kNoKitTemplateText, kErrorCaption, MessageKind::Warning);
    return {};
  }
  const pack::RecordTemplate& t = pack::RecordTemplateOf(objectKind);
  return std::string(half == pack::TemplateHalf::Write ? t.writeFormat : t.readFormat);
}

}  // namespace mapio
