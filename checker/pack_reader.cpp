#include "checker/pack_reader.h"

#include <algorithm>
#include <functional>
#include <pugixml.hpp>

#include "checker/xml_text.h"
#include "platform/platform.h"

namespace mapio::checker {

namespace {

using Kind = PackProblem::Kind;

constexpr std::string_view kListMarker = "<list id=\"maps\">";
constexpr std::string_view kListEnd = "</list>";
constexpr std::string_view kListClosing = "</list";  // the tag may hold spaces before ">"
// Entities stay as written: the reader decodes them itself, so that a bare
// "&" (which the parser lets through) is caught.
constexpr unsigned kParseOptions = pugi::parse_default & ~pugi::parse_escapes;

// Line and column of a byte offset, both from 1.
class LineIndex {
 public:
  explicit LineIndex(std::string_view bytes) : size_(bytes.size()) {
    starts_.push_back(0);
    for (std::size_t i = bytes.find('\n'); i != std::string_view::npos; i = bytes.find('\n', i + 1))
      starts_.push_back(i + 1);
  }
  std::size_t Line(std::size_t offset) const {
    return static_cast<std::size_t>(
        std::upper_bound(starts_.begin(), starts_.end(), std::min(offset, size_)) -
        starts_.begin());
  }
  std::size_t Column(std::size_t offset) const {
    return std::min(offset, size_) - starts_[Line(offset) - 1] + 1;
  }

 private:
  std::vector<std::size_t> starts_;
  std::size_t size_;
};

bool IsBlank(std::string_view text) { return platform::Trim(text).empty(); }

bool IsList(const pugi::xml_node& node) {
  return node.type() == pugi::node_element && std::string_view(node.name()) == "list" &&
         std::string_view(node.attribute("id").value()) == "maps";
}

// Column (from 1) of a fault inside a value: where the raw value stands on
// its line.
std::size_t FaultColumn(std::string_view line, std::string_view rawValue, std::size_t inValue) {
  const std::size_t at = line.find(rawValue);
  return (at == std::string_view::npos ? 0 : at) + inValue + 1;
}

// An attribute's value: where it holds nothing to decode, the parser's own
// text, which lives as long as `pack` when `inPack`; else a copy in `pack`.
std::string_view Value(const char* raw, bool inPack, PackFile& pack, XmlFault& fault) {
  const std::string_view value(raw);
  if (inPack && value.find_first_of("&<") == std::string_view::npos) return value;
  std::string& decoded = pack.decoded.emplace_back();
  DecodeAttribute(value, decoded, fault);
  return decoded;
}

// A record element, its two values decoded; `lineText()` gives the text of
// its line, asked only for a fault. False when it is no record.
template <typename LineText>
bool ReadRecord(const pugi::xml_node& node, LineText lineText, bool inPack, PackFile& pack,
                PackRecord& record) {
  if (node.type() != pugi::node_element || std::string_view(node.name()) != "record") return false;
  const pugi::xml_attribute from = node.attribute("from");
  const pugi::xml_attribute to = node.attribute("to");
  if (!from || !to || !*from.value()) return false;
  for (const pugi::xml_attribute& attribute : {from, to}) {
    XmlFault fault;
    (attribute == from ? record.from : record.to) = Value(attribute.value(), inPack, pack, fault);
    if (fault.what && !record.notWellFormed) {
      record.notWellFormed = fault.what;
      record.column = FaultColumn(lineText(), attribute.value(), fault.position);
    }
  }
  return true;
}

// The whole line that holds `offset`.
std::string_view LineAt(std::string_view bytes, const LineIndex& lines, std::size_t offset) {
  const std::size_t begin = offset - (lines.Column(offset) - 1);
  std::size_t end = bytes.find('\n', begin);
  if (end == std::string_view::npos) end = bytes.size();
  return bytes.substr(begin, end - begin);
}

std::size_t OffsetOf(const pugi::xml_node& node) {
  return static_cast<std::size_t>(std::max<std::ptrdiff_t>(0, node.offset_debug()));
}

// `original` gives the file's bytes as they were before the parser wrote
// into them; only a fault asks.
using Original = std::function<std::string_view()>;

void ReadWellFormedList(const Original& original, const LineIndex& lines,
                        const pugi::xml_node& list, PackFile& pack) {
  std::size_t children = 0;
  for (auto it = list.begin(); it != list.end(); ++it) ++children;
  pack.records.reserve(children);
  for (const pugi::xml_node& child : list.children()) {
    const std::size_t offset = OffsetOf(child);
    const auto line = [&] { return LineAt(original(), lines, offset); };
    PackRecord record;
    if (ReadRecord(child, line, true, pack, record)) {
      record.line = lines.Line(offset);
      pack.records.push_back(std::move(record));
      continue;
    }
    const bool text = child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata;
    if (text && IsBlank(child.value())) continue;
    if (child.type() != pugi::node_element && !text) continue;  // comments and the like
    pack.problems.push_back({Kind::NotARecord, lines.Line(offset), lines.Column(offset),
                             std::string(platform::Trim(line()))});
  }
}

// Where the list's closing tag starts: the last "</list" before whatever
// follows the list in the document. `closings` are where the file held
// "</list" before it was parsed, in order.
std::size_t ListEndOffset(const std::vector<std::size_t>& closings, std::size_t size,
                          const pugi::xml_node& list) {
  std::size_t limit = size;
  for (pugi::xml_node n = list; n; n = n.parent()) {
    if (const pugi::xml_node next = n.next_sibling()) {
      limit = OffsetOf(next);
      break;
    }
  }
  // The last one whole before the limit.
  if (limit < kListClosing.size()) return std::string_view::npos;
  const auto after =
      std::upper_bound(closings.begin(), closings.end(), limit - kListClosing.size());
  if (after == closings.begin()) return std::string_view::npos;
  const std::size_t at = *(after - 1);
  return at > OffsetOf(list) ? at : std::string_view::npos;
}

pugi::xml_node FindList(const pugi::xml_document& doc) {
  for (const pugi::xml_node& child : doc.document_element().children())
    if (IsList(child)) return child;
  return doc.find_node([](const pugi::xml_node& n) { return IsList(n); });
}

// One line of the list as the game would take it, read on its own.
bool ReadRecordLine(std::string_view line, PackFile& pack, PackRecord& record) {
  pugi::xml_document doc;
  if (!doc.load_buffer(line.data(), line.size(), kParseOptions, pugi::encoding_utf8)) return false;
  const pugi::xml_node node = doc.first_child();
  return !node.next_sibling() && ReadRecord(
                                     node, [line] { return line; }, false, pack, record);
}

// The file is no XML: the list line by line, as the translate job reads it.
void ReadListByLines(std::string_view bytes, std::size_t errorLine, PackFile& pack) {
  std::size_t lineNumber = 0;
  std::size_t pos = 0;
  bool inList = false;
  bool inComment = false;
  while (pos < bytes.size()) {
    std::size_t end = bytes.find('\n', pos);
    if (end == std::string_view::npos) end = bytes.size();
    const std::string_view raw = bytes.substr(pos, end - pos);
    const std::string_view line = platform::Trim(raw);
    pos = end + 1;
    ++lineNumber;
    if (!inList) {
      inList = line == kListMarker;
      pack.listFound = pack.listFound || inList;
      continue;
    }
    if (inComment || line.starts_with("<!--")) {
      inComment = line.find("-->") == std::string_view::npos;
      continue;
    }
    if (line.empty()) continue;
    if (line == kListEnd) {
      pack.listEnd = pos - 1 - raw.size() + raw.find(kListEnd);
      return;
    }
    PackRecord record;
    if (ReadRecordLine(raw, pack, record)) {
      record.line = lineNumber;
      pack.records.push_back(std::move(record));
    } else if (lineNumber != errorLine) {
      pack.problems.push_back(
          {Kind::NotARecord, lineNumber, raw.find(line) + 1, std::string(line)});
    }
  }
  if (inList) pack.problems.push_back({Kind::EndsInList, lineNumber, 0, {}});
}

}  // namespace

namespace {

// `pack.parsed` holds the file; the parser writes into it.
void Parse(PackFile& pack, const Original& original) {
  // Past any string's own small buffer.
  pack.parsed.reserve(std::max<std::size_t>(pack.parsed.size(), 64));
  const std::string_view bytes(pack.parsed);
  const LineIndex lines(bytes);
  std::vector<std::size_t> closings;
  for (std::size_t i = bytes.find(kListClosing); i != std::string_view::npos;
       i = bytes.find(kListClosing, i + 1))
    closings.push_back(i);
  pugi::xml_document doc;
  const pugi::xml_parse_result result = doc.load_buffer_inplace(
      pack.parsed.data(), pack.parsed.size(), kParseOptions, pugi::encoding_utf8);
  if (result) {
    pack.wellFormed = true;
    const pugi::xml_node list = FindList(doc);
    pack.listFound = static_cast<bool>(list);
    if (list) {
      ReadWellFormedList(original, lines, list, pack);
      pack.listEnd = ListEndOffset(closings, pack.parsed.size(), list);
    }
  } else {
    const std::string_view text = original();
    const std::size_t offset = static_cast<std::size_t>(std::max<std::ptrdiff_t>(0, result.offset));
    const std::size_t errorLine = lines.Line(offset);
    ReadListByLines(text, errorLine, pack);
    // A file cut off inside the list says so once, not twice.
    const bool cutOff = !pack.problems.empty() && pack.problems.back().kind == Kind::EndsInList &&
                        IsBlank(text.substr(std::min(offset, text.size())));
    if (!cutOff)
      pack.problems.insert(pack.problems.begin(), {Kind::NotWellFormed, errorLine,
                                                   lines.Column(offset), result.description()});
    pack.parsed = {};  // nothing points into it
  }
  if (!pack.listFound) pack.problems.push_back({Kind::NoList, 0, 0, {}});
}

bool ReadWhole(const std::string& path, std::string& bytes) {
  platform::TextReader reader;
  return reader.Open(path, platform::FileMode::Binary) && reader.ReadAll(bytes);
}

}  // namespace

PackFile ParsePackFile(std::string_view bytes) {
  PackFile pack;
  pack.parsed.assign(bytes.begin(), bytes.end());
  Parse(pack, [bytes] { return bytes; });
  return pack;
}

// The file is read once, into the buffer the parser writes into; the bytes
// as they were are read again only for a fault's line or a file that is no
// XML.
PackFile ReadPackFile(const std::string& folderPath) {
  const std::string path = platform::JoinPath(folderPath, "config.xml");
  PackFile pack;
  if (!ReadWhole(path, pack.parsed)) {
    pack.problems.push_back({Kind::NoFile, 0, 0, {}});
    return pack;
  }
  std::string again;
  bool read = false;
  Parse(pack, [&]() -> std::string_view {
    if (!read) read = ReadWhole(path, again);
    return again;
  });
  return pack;
}

}  // namespace mapio::checker
