#include "pack/pack_file.h"

#include "pack/pack_file_parts.h"
#include "pack/record_reader.h"
#include "pack/xml_scan.h"
#include "platform/platform.h"

namespace mapio::pack {

namespace {

// The list's children as the one-pass reader hands them out.
class ListReader : public XmlListVisitor {
 public:
  explicit ListReader(PackFile& pack) : reader_(pack) {}

  void Restart() override { reader_.Forget(); }

  void Child(const XmlChild& child) override {
    if (child.type == XmlChild::Type::Element && child.name == kRecordElement) {
      const XmlAttribute* from = Attribute(child, "from");
      const XmlAttribute* to = Attribute(child, "to");
      if (from && to &&
          reader_.Record({from->value, from->valueOffset}, {to->value, to->valueOffset}, true,
                         child.begin, child.end))
        return;
    }
    reader_.NotARecord(child.begin,
                       child.type == XmlChild::Type::Element ? child.begin + 1 : child.end);
  }

 private:
  // The first of that name, as XML readers take it.
  static const XmlAttribute* Attribute(const XmlChild& child, std::string_view name) {
    for (const XmlAttribute& a : child.attributes)
      if (a.name == name) return &a;
    return nullptr;
  }

  RecordReader reader_;
};

void Parse(PackFile& pack) {
  pack.exists = true;
  pack.lines = LineIndex(pack.bytes);
  ListReader reader(pack);
  const XmlScan scan = ScanPackXml(pack.bytes, reader);
  if (scan.accepted) {
    pack.wellFormed = true;
    pack.listFound = scan.listFound;
    if (scan.listEnd != std::string_view::npos)
      pack.listEnd = static_cast<std::uint32_t>(scan.listEnd);
  } else {
    pack.records.clear();
    pack.problems.clear();
    pack.decoded.clear();
    ReadWithParser(pack);
  }
  if (!pack.listFound) pack.problems.push_back({Problem::Kind::NoList, 0, 0, {}});
}

}  // namespace

PackFile ParsePackFile(std::string bytes) {
  PackFile pack;
  pack.bytes = std::move(bytes);
  Parse(pack);
  return pack;
}

PackFile ReadPackFile(const std::string& folderPath) {
  PackFile pack;
  platform::TextReader reader;
  const std::string path = platform::JoinPath(folderPath, "config.xml");
  if (!reader.Open(path, platform::FileMode::Binary) || !reader.ReadAll(pack.bytes) ||
      pack.bytes.size() > kMaxMappingFileSize) {
    pack.bytes.clear();
    pack.problems.push_back({Problem::Kind::NoFile, 0, 0, {}});
    return pack;
  }
  Parse(pack);
  return pack;
}

}  // namespace mapio::pack
