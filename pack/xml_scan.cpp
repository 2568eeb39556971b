#include "pack/xml_scan.h"

#include <cstring>
#include <vector>

namespace mapio::pack {

namespace {

constexpr std::size_t kNpos = std::string_view::npos;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// The names a full parser takes: a letter, "_", ":" or any byte of a
// multibyte character first, then digits, ".", "-" too.
bool IsNameStart(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u == '_' || u == ':' || u >= 0x80;
}

bool IsNameChar(char c) { return IsNameStart(c) || (c >= '0' && c <= '9') || c == '.' || c == '-'; }

class Scanner {
 public:
  Scanner(std::string_view bytes, XmlListVisitor& visitor) : s_(bytes), visitor_(visitor) {}

  XmlScan Run() {
    // A NUL ends the text for a parser in C's way: all of that is its business.
    if (!s_.empty() && std::memchr(s_.data(), '\0', s_.size()) != nullptr) return Refuse();
    if (s_.starts_with("\xEF\xBB\xBF")) p_ = 3;
    bool rootSeen = false;
    while (ok_) {
      SkipBlanks();
      if (p_ >= s_.size()) break;
      if (s_[p_] != '<') return Refuse();
      if (Misc()) continue;
      if (rootSeen) return Refuse();  // a second root
      rootSeen = true;
      Element();
    }
    if (!ok_ || !rootSeen) return Refuse();
    result_.accepted = true;
    return result_;
  }

 private:
  XmlScan Refuse() {
    ok_ = false;
    return {};
  }
  void Fail() { ok_ = false; }

  void SkipBlanks() {
    while (p_ < s_.size() && IsBlank(s_[p_])) ++p_;
  }

  bool At(std::string_view text) const { return s_.substr(p_).starts_with(text); }

  // Past `terminator`, which must come.
  void SkipPast(std::string_view terminator) {
    const std::size_t at = s_.find(terminator, p_);
    if (at == kNpos) return Fail();
    p_ = at + terminator.size();
  }

  // A comment or processing instruction at "<"; false for anything else.
  bool Misc() {
    if (At("<!--")) {
      p_ += 4;
      SkipPast("-->");
      return true;
    }
    if (At("<?")) {
      p_ += 2;
      const std::string_view target = Name();
      if (target.empty()) return Fail(), true;
      // After its target, a blank or its end; a declaration may hold anything.
      const bool declaration = target.size() == 3 && (target[0] | ' ') == 'x' &&
                               (target[1] | ' ') == 'm' && (target[2] | ' ') == 'l';
      // The declaration stands first, or the file is for the parser.
      const std::size_t first = s_.starts_with("\xEF\xBB\xBF") ? 5 : 2;
      if (declaration && target.data() != s_.data() + first) return Fail(), true;
      if (!declaration && !At("?>") && (p_ >= s_.size() || !IsBlank(s_[p_]))) return Fail(), true;
      SkipPast("?>");
      return true;
    }
    return false;
  }

  std::string_view Name() {
    const std::size_t start = p_;
    if (p_ >= s_.size() || !IsNameStart(s_[p_])) return {};
    ++p_;
    while (p_ < s_.size() && IsNameChar(s_[p_])) ++p_;
    return s_.substr(start, p_ - start);
  }

  // A start tag at "<"; its attributes in attributes_. False when it closes itself.
  bool StartTag(std::string_view& name) {
    ++p_;
    name = Name();
    if (name.empty()) return Fail(), false;
    attributes_.clear();
    for (;;) {
      const std::size_t before = p_;
      SkipBlanks();
      if (p_ >= s_.size()) return Fail(), false;
      if (s_[p_] == '>') {
        ++p_;
        return true;
      }
      if (At("/>")) {
        p_ += 2;
        return false;
      }
      if (p_ == before) return Fail(), false;  // attributes need blanks between them
      XmlAttribute attribute;
      attribute.name = Name();
      if (attribute.name.empty()) return Fail(), false;
      SkipBlanks();
      if (p_ >= s_.size() || s_[p_] != '=') return Fail(), false;
      ++p_;
      SkipBlanks();
      if (p_ >= s_.size() || (s_[p_] != '"' && s_[p_] != '\'')) return Fail(), false;
      const char quote = s_[p_++];
      const std::size_t end = s_.find(quote, p_);
      if (end == kNpos) return Fail(), false;
      attribute.value = s_.substr(p_, end - p_);
      attribute.valueOffset = p_;
      if (attribute.value.find('<') != kNpos) return Fail(), false;
      attributes_.push_back(attribute);
      p_ = end + 1;
    }
  }

  // At "</": the end tag of `name`.
  void EndTag(std::string_view name) {
    p_ += 2;
    if (Name() != name) return Fail();
    SkipBlanks();
    if (p_ >= s_.size() || s_[p_] != '>') return Fail();
    ++p_;
  }

  bool IsListOfMaps(std::string_view name) const {
    if (name != "list") return false;
    for (const XmlAttribute& a : attributes_)
      if (a.name == "id") return a.value == "maps";
    return false;
  }

  // The root element and everything in it, without recursion: open
  // elements are kept on a stack, however deep a file nests.
  void Element() {
    struct Open {
      std::string_view name;
      std::size_t begin;
      bool isList;  // the list whose children are handed out
    };
    std::vector<Open> open;
    std::size_t childBegin = kNpos;  // of the list's child element being read
    std::string_view childName;
    std::vector<XmlAttribute> childAttributes;
    std::size_t listDepth = 0;  // of the chosen list in `open`, 0 for none
    while (ok_) {
      const std::size_t textStart = p_;
      const std::size_t lt = open.empty() ? p_ : s_.find('<', p_);
      if (lt == kNpos) return Fail();  // the file ends inside an element
      p_ = lt;
      if (listDepth != 0 && open.size() == listDepth && lt > textStart) Text(textStart, lt);
      if (At("</")) {
        if (open.empty()) return Fail();
        EndTag(open.back().name);
        if (!ok_) return;
        if (open.back().isList) result_.listEnd = lt;
        open.pop_back();
        if (listDepth != 0 && open.size() == listDepth) {
          Hand(childBegin, p_, childName, childAttributes);
        }
        if (open.size() < listDepth) listDepth = 0;
        if (open.empty()) return;
        continue;
      }
      if (At("<![CDATA[")) {
        if (open.empty()) return Fail();
        SkipPast("]]>");
        // Its text begins after the marker, as a parser's node of it does.
        if (ok_ && listDepth != 0 && open.size() == listDepth) Text(lt + 9, p_);
        continue;
      }
      if (At("<!--") || At("<?")) {
        Misc();
        continue;
      }
      if (At("<!")) return Fail();  // a DOCTYPE or worse: for the full parser
      std::string_view name;
      const bool hasContent = StartTag(name);
      if (!ok_) return;
      const bool list = Choose(name, open.size());
      if (list) listDepth = open.size() + 1;
      const bool child = listDepth != 0 && open.size() == listDepth;
      if (!hasContent) {
        if (list) listDepth = 0;  // <list id="maps"/>: no closing tag
        if (child) Hand(lt, p_, name, attributes_);
        if (open.empty()) return;
        continue;
      }
      if (child) {
        childBegin = lt;
        childName = name;
        childAttributes = attributes_;
      }
      open.push_back({name, lt, list});
    }
  }

  // Whether the element just started, at depth `depth`, is the list whose
  // children are handed out: the root's first, else the first anywhere.
  bool Choose(std::string_view name, std::size_t depth) {
    if (!IsListOfMaps(name)) return false;
    const bool rootChild = depth == 1;
    if (result_.listFound && (chosenRootChild_ || !rootChild)) return false;
    if (result_.listFound) visitor_.Restart();
    result_.listFound = true;
    result_.listEnd = kNpos;
    chosenRootChild_ = rootChild;
    return true;
  }

  void Hand(std::size_t begin, std::size_t end, std::string_view name,
            const std::vector<XmlAttribute>& attributes) {
    XmlChild child;
    child.begin = begin;
    child.end = end;
    child.name = name;
    child.attributes = attributes;
    visitor_.Child(child);
  }

  void Text(std::size_t begin, std::size_t end) {
    std::size_t first = begin;
    while (first < end && IsBlank(s_[first])) ++first;
    if (first == end) return;
    XmlChild child;
    child.type = XmlChild::Type::Text;
    child.begin = begin;
    child.end = end;
    visitor_.Child(child);
  }

  std::string_view s_;
  XmlListVisitor& visitor_;
  std::size_t p_ = 0;
  bool ok_ = true;
  bool chosenRootChild_ = false;
  std::vector<XmlAttribute> attributes_;
  XmlScan result_;
};

}  // namespace

XmlScan ScanPackXml(std::string_view bytes, XmlListVisitor& visitor) {
  return Scanner(bytes, visitor).Run();
}

}  // namespace mapio::pack
