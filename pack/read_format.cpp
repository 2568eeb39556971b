#include "pack/read_format.h"

#include "core/record_template.h"

namespace mapio::pack {

namespace {

// A write format with its conversions for reading, and what the kind's read
// format has in place of the final line end.
std::string ReadFormatFrom(std::string_view writeFormat, ObjectKind kind) {
  std::string format;
  for (std::size_t i = 0; i < writeFormat.size(); ++i) {
    if (writeFormat[i] == '%' && i + 1 < writeFormat.size()) {
      const char conversion = writeFormat[++i];
      format.append(conversion == 's' ? "%[^\"]" : conversion == 'u' ? "%[0-9]" : "%%");
      continue;
    }
    format.push_back(writeFormat[i]);
  }
  if (format.ends_with('\n')) format.pop_back();
  return format.append(KindOf(kind).target.readEnd);
}

struct Templates {
  std::string read[kObjectKindCount];
  RecordTemplate templates[kObjectKindCount];
};

const Templates& AllTemplates() {
  static const Templates all = [] {
    Templates t;
    for (const ObjectKind kind : kAllKinds) {
      const std::size_t i = IndexOf(kind);
      if (kind != Kits) t.read[i] = ReadFormatFrom(WriteFormatOf(kind), kind);
      t.templates[i] = {WriteFormatOf(kind), t.read[i]};
    }
    return t;
  }();
  return all;
}

}  // namespace

const RecordTemplate& RecordTemplateOf(ObjectKind objectKind) {
  const std::size_t i = IndexOf(objectKind) < kObjectKindCount ? IndexOf(objectKind) : 0;
  return AllTemplates().templates[i];
}

}  // namespace mapio::pack
