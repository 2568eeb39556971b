#include "pack/record_reader.h"

#include "pack/xml_text.h"
#include "platform/text.h"

namespace mapio::pack {

bool RecordReader::Record(RawValue from, RawValue to, bool inPack, std::size_t begin,
                          std::size_t end) {
  if (from.text.empty()) return false;
  faultOfRecord_ = false;
  pack::Record record;
  record.from = Value(from, inPack);
  if (!platform::IsValidUtf8(record.from)) {
    record.legacyName = true;
    record.from = pack_.decoded.emplace_back(platform::LegacyNameToUtf8(record.from));
  }
  record.to = Value(to, inPack);
  // Only where the file holds the target as it reads: an edit of its bytes
  // is then an edit of the target.
  if (std::string_view(pack_.bytes).substr(to.offset, record.to.size()) == record.to)
    record.toValue = static_cast<std::uint32_t>(to.offset);
  record.target = MatchTarget(record.to);
  record.begin = static_cast<std::uint32_t>(begin);
  record.end = static_cast<std::uint32_t>(end);
  record.line = cursor_.Line(begin);
  record.lastLine = cursor_.Line(end == 0 ? 0 : end - 1);
  ++pack_.recordCount;
  if (pack_.sink)
    (*pack_.sink)(record);
  else
    pack_.records.push_back(record);
  return true;
}

// Where it holds nothing to decode and `inPack`, the value's own text;
// else a copy kept by the pack.
std::string_view RecordReader::Value(RawValue raw, bool inPack) {
  if (!NeedsDecoding(raw.text)) {
    if (inPack) return raw.text;
    return pack_.decoded.emplace_back(raw.text);
  }
  std::string& decoded = pack_.decoded.emplace_back();
  XmlFault fault;
  DecodeAttribute(raw.text, decoded, fault);
  if (fault.what && !faultOfRecord_) {
    faultOfRecord_ = true;
    const std::size_t at = raw.offset + fault.position;
    const std::uint32_t line = pack_.lines.Line(at);
    pack_.problems.push_back({Problem::Kind::RecordNotWellFormed, line,
                              static_cast<std::uint32_t>(at - pack_.lines.Start(line) + 1),
                              fault.what, pack_.recordCount});
  }
  return decoded;
}

void RecordReader::NotARecord(std::size_t begin, std::size_t end) {
  const std::string_view bytes = pack_.bytes;
  for (std::size_t at = begin; at < end;) {
    while (at < end && platform::IsSpaceByte(static_cast<unsigned char>(bytes[at]))) ++at;
    if (at >= end) break;
    const std::uint32_t line = pack_.lines.Line(at);
    const std::size_t lineStart = pack_.lines.Start(line);
    at = pack_.lines.Next(line);
    // Text and CDATA on one line are one line that is no record.
    if (line == lastNotARecord_) continue;
    lastNotARecord_ = line;
    const std::string_view text = bytes.substr(lineStart, pack_.lines.End(line) - lineStart);
    pack_.problems.push_back({Problem::Kind::NotARecord, line,
                              static_cast<std::uint32_t>(at - lineStart + 1),
                              std::string(platform::Trim(text))});
  }
}

void RecordReader::Forget() {
  pack_.records.clear();
  pack_.problems.clear();
  pack_.recordCount = 0;
  cursor_ = LineIndex::Cursor(pack_.lines);
  lastNotARecord_ = 0;
}

}  // namespace mapio::pack
