// Reading a pack with a full XML parser: for the files the one-pass reader
// leaves to it (a DOCTYPE, anything not well-formed). Where the file is no
// XML, its list is read line by line, as the translate job reads it.
#include <pugixml.hpp>

#include "pack/names.h"
#include "pack/pack_file_parts.h"
#include "pack/record_reader.h"
#include "platform/text.h"

namespace mapio::pack {

namespace {

using Kind = Problem::Kind;

// Entities stay as written: the reader decodes them itself, so that a bare
// "&" (which the parser lets through) is caught. Comments and processing
// instructions are nodes, so that every byte of the list has its place.
constexpr unsigned kParseOptions =
    (pugi::parse_default & ~pugi::parse_escapes) | pugi::parse_comments | pugi::parse_pi;

bool IsBlank(std::string_view text) { return platform::Trim(text).empty(); }

bool IsList(const pugi::xml_node& node) {
  return node.type() == pugi::node_element && std::string_view(node.name()) == "list" &&
         std::string_view(node.attribute("id").value()) == "maps";
}

std::size_t Find(std::string_view bytes, std::string_view what, std::size_t from) {
  const std::size_t at = bytes.find(what, from);
  return at == std::string_view::npos ? bytes.size() : at;
}

// Where the nodes of a well-formed document stand in the file: the parser
// keeps every name and value where it found it, in a copy of the bytes.
class Places {
 public:
  Places(std::string_view bytes, const char* parsed) : bytes_(bytes), base_(parsed) {}

  std::size_t Of(const char* text) const { return static_cast<std::size_t>(text - base_); }
  std::string_view Bytes() const { return bytes_; }
  // An element starts at the "<" before its name.
  std::size_t Begin(const pugi::xml_node& node) const {
    if (node.type() == pugi::node_element || node.type() == pugi::node_pi)
      return Of(node.name()) - 1;
    return Of(node.value());
  }
  // Just past an attribute value's closing quote.
  std::size_t ValueEnd(const pugi::xml_attribute& attribute) const {
    const std::size_t at = Of(attribute.value());
    return Find(bytes_, bytes_.substr(at - 1, 1), at) + 1;
  }

  // Just past the node's last byte.
  std::size_t End(pugi::xml_node node) const {
    // An element ends after the end of its last child: go down that chain
    // first, without recursion, however deep a hostile file nests.
    std::vector<pugi::xml_node> chain;
    for (; node.type() == pugi::node_element && !SelfClosing(node); node = node.last_child()) {
      chain.push_back(node);
      if (!node.last_child()) break;
    }
    std::size_t end = 0;
    if (chain.empty() || chain.back() != node) {
      end = LeafEnd(node);
    } else {
      end = StartTagEnd(node);
    }
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
      const std::size_t closing = Find(bytes_, "<", end);
      end = std::min(Find(bytes_, ">", closing) + 1, bytes_.size());
    }
    return end;
  }

  std::size_t StartTagEnd(const pugi::xml_node& node) const {
    const pugi::xml_attribute last = node.last_attribute();
    const std::size_t from =
        last ? ValueEnd(last) : Of(node.name()) + std::string_view(node.name()).size();
    return std::min(Find(bytes_, ">", from) + 1, bytes_.size());
  }

  bool SelfClosing(const pugi::xml_node& node) const {
    const std::size_t end = StartTagEnd(node);
    return end >= 2 && bytes_[end - 2] == '/';
  }

 private:
  std::size_t LeafEnd(const pugi::xml_node& node) const {
    const std::size_t at = Begin(node);
    switch (node.type()) {
      case pugi::node_element: return StartTagEnd(node);
      case pugi::node_pcdata: return Find(bytes_, "<", at);
      case pugi::node_cdata: return std::min(Find(bytes_, "]]>", at) + 3, bytes_.size());
      case pugi::node_comment: return std::min(Find(bytes_, "-->", at) + 3, bytes_.size());
      case pugi::node_pi: return std::min(Find(bytes_, "?>", at) + 2, bytes_.size());
      default: return std::min(Find(bytes_, ">", at) + 1, bytes_.size());
    }
  }

  std::string_view bytes_;
  const char* base_;
};

// A record element with its two values; false when it is no record.
// `shift` places a value read from a copy of part of the file.
bool ReadRecord(RecordReader& reader, const Places& places, const pugi::xml_node& node,
                std::size_t begin, std::size_t end, std::size_t shift = 0) {
  if (node.type() != pugi::node_element || std::string_view(node.name()) != kRecordElement)
    return false;
  const pugi::xml_attribute from = node.attribute("from");
  const pugi::xml_attribute to = node.attribute("to");
  if (!from || !to) return false;
  // The values as the file has them, not as the parser left them: read
  // the same way as the one-pass reader reads them, and kept by the pack.
  const auto raw = [&](const pugi::xml_attribute& a) -> RecordReader::RawValue {
    const std::size_t at = places.Of(a.value());
    return {places.Bytes().substr(at, places.ValueEnd(a) - 1 - at), at + shift};
  };
  return reader.Record(raw(from), raw(to), true, begin, end);
}

void ReadList(PackFile& pack, const Places& places, const pugi::xml_node& list) {
  std::size_t children = 0;
  for (auto it = list.begin(); it != list.end(); ++it) ++children;
  pack.records.reserve(children);
  RecordReader reader(pack);
  for (const pugi::xml_node& child : list.children()) {
    const std::size_t begin = places.Begin(child);
    const bool text = child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata;
    if (child.type() == pugi::node_element) {
      if (!ReadRecord(reader, places, child, begin, places.End(child)))
        reader.NotARecord(begin, begin + 1);
    } else if (text) {
      reader.NotARecord(begin, places.End(child));
    }
  }
  // The list's own closing tag: right after its last child, never a
  // "</list>" in a comment or anywhere else.
  if (places.SelfClosing(list)) return;
  const pugi::xml_node last = list.last_child();
  const std::size_t after = last ? places.End(last) : places.StartTagEnd(list);
  const std::size_t at = Find(pack.bytes, "<", after);
  if (at < pack.bytes.size()) pack.listEnd = static_cast<std::uint32_t>(at);
}

pugi::xml_node FindList(const pugi::xml_document& doc) {
  for (const pugi::xml_node& child : doc.document_element().children())
    if (IsList(child)) return child;
  return doc.find_node([](const pugi::xml_node& n) { return IsList(n); });
}

// One line of a file that is no XML, as the game would take it: alone.
void ReadLine(RecordReader& reader, std::string_view bytes, std::size_t begin, std::size_t end) {
  std::string line(bytes.substr(begin, end - begin));
  pugi::xml_document doc;
  const bool parsed =
      doc.load_buffer_inplace(line.data(), line.size(), kParseOptions, pugi::encoding_utf8);
  const pugi::xml_node node = doc.first_child();
  if (parsed && node && !node.next_sibling() &&
      ReadRecord(reader, Places(bytes.substr(begin), line.data()), node, begin, end, begin))
    return;
  reader.NotARecord(begin, end);
}

void ReadListByLines(PackFile& pack, std::uint32_t errorLine) {
  RecordReader reader(pack);
  const std::string_view bytes = pack.bytes;
  bool inList = false;
  bool inComment = false;
  for (std::uint32_t n = 1; n <= pack.lines.Count(); ++n) {
    const std::size_t start = pack.lines.Start(n);
    const std::string_view raw = bytes.substr(start, pack.lines.End(n) - start);
    const std::string_view line = platform::Trim(raw);
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
    const std::size_t begin = start + static_cast<std::size_t>(line.data() - raw.data());
    if (line == kListEnd) {
      pack.listEnd = static_cast<std::uint32_t>(begin);
      return;
    }
    const std::size_t problems = pack.problems.size();
    ReadLine(reader, bytes, begin, begin + line.size());
    // The parser's own complaint already names that line.
    if (n == errorLine && pack.problems.size() > problems &&
        pack.problems.back().kind == Kind::NotARecord)
      pack.problems.pop_back();
  }
  // On the last line that holds anything.
  const std::string_view text = platform::Trim(bytes);
  const std::size_t last =
      text.empty() ? 0 : static_cast<std::size_t>(text.data() + text.size() - bytes.data() - 1);
  if (inList) pack.problems.push_back({Kind::EndsInList, pack.lines.Line(last), 0, {}});
}

}  // namespace

void ReadWithParser(PackFile& pack) {
  // The parser writes into its own copy of the file.
  std::string parsed(pack.bytes);
  pugi::xml_document doc;
  const pugi::xml_parse_result result =
      doc.load_buffer_inplace(parsed.data(), parsed.size(), kParseOptions, pugi::encoding_utf8);
  if (result) {
    pack.wellFormed = true;
    const pugi::xml_node list = FindList(doc);
    pack.listFound = static_cast<bool>(list);
    if (list) ReadList(pack, Places(pack.bytes, parsed.data()), list);
    return;
  }
  const std::size_t offset = std::min(
      static_cast<std::size_t>(std::max<std::ptrdiff_t>(0, result.offset)), pack.bytes.size());
  const std::uint32_t errorLine = pack.lines.Line(offset);
  ReadListByLines(pack, errorLine);
  // A file cut off inside the list says so once, not twice.
  const bool cutOff = !pack.problems.empty() && pack.problems.back().kind == Kind::EndsInList &&
                      IsBlank(std::string_view(pack.bytes).substr(offset));
  if (!cutOff) {
    const auto column = static_cast<std::uint32_t>(offset - pack.lines.Start(errorLine) + 1);
    pack.problems.insert(pack.problems.begin(),
                         {Kind::NotWellFormed, errorLine, column, result.description()});
  }
}

}  // namespace mapio::pack
