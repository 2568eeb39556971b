#include "pack/pack_file.h"

#include "pack/pack_file_parts.h"
#include "pack/record_reader.h"
#include "pack/xml_scan.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/text.h"

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

// Whether the one pass takes the whole file and never changes its mind
// about which list it reads: then a sink can have the records as they come.
bool TakenAtOnce(std::string_view bytes) {
  struct Watch : XmlListVisitor {
    void Restart() override { restarted = true; }
    void Child(const XmlChild&) override {}
    bool restarted = false;
  } watch;
  return ScanPackXml(bytes, watch).accepted && !watch.restarted;
}

void Read(PackFile& pack) {
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
    pack.recordCount = 0;
    ReadWithParser(pack);
  }
}

void Parse(PackFile& pack, const RecordSink* sink) {
  pack.exists = true;
  pack.lines = LineIndex(pack.bytes);
  if (sink && TakenAtOnce(pack.bytes)) {
    pack.sink = sink;
    Read(pack);
    pack.sink = nullptr;
  } else {
    Read(pack);
    // Rare: a file the one pass does not take, read whole, then handed out.
    if (sink) {
      for (const Record& record : pack.records) (*sink)(record);
      pack.records = {};
    }
  }
  if (!pack.listFound) pack.problems.push_back({Problem::Kind::NoList, 0, 0, {}});
}

}  // namespace

PackFile ParsePackFile(std::string bytes, const RecordSink* sink) {
  PackFile pack;
  pack.readResult = platform::ReadResult::Ok;
  pack.bytes = std::move(bytes);
  Parse(pack, sink);
  return pack;
}

PackFile ReadPackFile(const std::string& folderPath, const RecordSink* sink) {
  PackFile pack;
  const std::string path = platform::JoinPath(folderPath, "config.xml");
  pack.readResult = platform::ReadWholeFile(path, pack.bytes, pack.stamp);
  pack.utf16 = pack.readResult == platform::ReadResult::Ok &&
               platform::LooksLikeUtf16(std::string_view(pack.bytes).substr(0, 16));
  if (pack.readResult != platform::ReadResult::Ok || pack.utf16) {
    pack.bytes.clear();
    pack.problems.push_back({Problem::Kind::NoFile, 0, 0, {}});
    return pack;
  }
  Parse(pack, sink);
  return pack;
}

}  // namespace mapio::pack
