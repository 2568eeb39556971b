// A pack's config.xml read in one pass over its bytes, without a tree and
// without a copy: the document is checked for well-formedness and the
// children of its list of maps are handed out as they come. Half a million
// records then cost no more memory than their own entries.
//
// It takes the documents packs are: elements, attributes, text, comments,
// CDATA and processing instructions. Anything else (a DOCTYPE) or anything
// it finds wrong it leaves to a full XML parser: what it accepts, that
// parser accepts too, and reads the same.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace mapio::pack {

struct XmlAttribute {
  std::string_view name;
  std::string_view value;  // as written, between its quotes
  std::size_t valueOffset = 0;
};

struct XmlChild {
  enum class Type { Element, Text };
  Type type = Type::Element;
  std::size_t begin = 0;                     // the "<" of an element; the first byte of text
  std::size_t end = 0;                       // just past its last byte
  std::string_view name;                     // of an element
  std::span<const XmlAttribute> attributes;  // of an element's start tag
};

class XmlListVisitor {
 public:
  virtual ~XmlListVisitor() = default;
  // A list of maps was chosen over the one visited so far: forget its children.
  virtual void Restart() = 0;
  // A child of the list, in order: an element, or text (CDATA too) that is
  // not only blanks.
  virtual void Child(const XmlChild& child) = 0;
};

struct XmlScan {
  bool accepted = false;  // false: leave the document to a full parser
  bool listFound = false;
  // The list's own closing tag "</list"; npos when it has none (<list/>).
  std::size_t listEnd = std::string_view::npos;
};

// The list is the first <list id="maps"> among the root's children, or the
// first anywhere when none is.
XmlScan ScanPackXml(std::string_view bytes, XmlListVisitor& visitor);

}  // namespace mapio::pack
