#include "ui/scintilla_box.h"

#include <algorithm>
#include <string>

namespace mapio::ui {
namespace {

// Scintilla's message numbers (Scintilla.h), which no version changes.
enum Message : unsigned {
  kGetLength = 2006,
  kGetCurrentPos = 2008,
  kSetUndoCollection = 2012,
  kSetSavePoint = 2014,
  kSetEolMode = 2031,
  kSetTabWidth = 2036,
  kSetCodePage = 2037,
  kStyleClearAll = 2050,
  kStyleSetFore = 2051,
  kStyleSetSize = 2055,
  kStyleSetFont = 2056,
  kGetLineEndPosition = 2136,
  kGetSelectionStart = 2143,
  kGetSelectionEnd = 2145,
  kGetLineCount = 2154,
  kSetSel = 2160,
  kLineFromPosition = 2166,
  kPositionFromLine = 2167,
  kEmptyUndoBuffer = 2175,
  kSetMarginTypeN = 2240,
  kSetMarginWidthN = 2242,
  kTextWidth = 2276,
  kAppendText = 2282,
  kSetViewEol = 2356,
  kSetModEventMask = 2359,
  kGetDocPointer = 2357,
  kSetDocPointer = 2358,
  kLinesOnScreen = 2370,
  kCreateDocument = 2375,
  kReleaseDocument = 2377,
  kGetModEventMask = 2378,
  kGetCharacterPointer = 2520,
  kScrollRange = 2569,
  kSetFirstVisibleLine = 2613,
  kSetRepresentation = 2665,
};
constexpr std::uintptr_t kCodePageUtf8 = 65001;
constexpr std::uintptr_t kEolCrLf = 0;
constexpr std::uintptr_t kEolCr = 1;
constexpr std::uintptr_t kEolLf = 2;
constexpr std::intptr_t kDocumentStylesNone = 1;
constexpr std::uintptr_t kMarginNumber = 1;
constexpr std::uintptr_t kStyleDefault = 32;
constexpr std::uintptr_t kStyleLineNumber = 33;

// The XML lexer's styles and their colours (0xBBGGRR).
struct StyleColour {
  std::uintptr_t style;
  std::intptr_t colour;
};
constexpr StyleColour kXmlColours[] = {
    {1, 0x990000},   // tag
    {2, 0x990000},   // tag the lexer does not know
    {11, 0x990000},  // "/>" and ">"
    {3, 0x000099},   // attribute
    {4, 0x000099},   // attribute the lexer does not know
    {5, 0x800080},   // number
    {6, 0x800080},   // "value"
    {7, 0x800080},   // 'value'
    {19, 0x800080},  // unquoted value
    {9, 0x008000},   // <!-- comment -->
    {10, 0x0060A0},  // &entity;
    {12, 0x000080},  // <?xml
    {13, 0x000080},  // ?>
    {17, 0x606060},  // <![CDATA[ ]]>
};

// Room for a few bytes more than the file, so that neither the last piece
// nor a first look at the whole text makes the component move it.
constexpr std::size_t kSlack = 4096;

std::intptr_t Text(const char* text) { return reinterpret_cast<std::intptr_t>(text); }

}  // namespace

void ScintillaBox::NewText(std::size_t size, bool coloured) {
  const std::intptr_t document =
      Call(kCreateDocument, size + kSlack, coloured ? 0 : kDocumentStylesNone);
  Call(kSetDocPointer, 0, document);
  Call(kReleaseDocument, 0, document);  // the box holds it now
  Call(kSetUndoCollection, 0);
  // Nothing listens while the text comes in: the toolkit's listeners
  // (QScintilla's accessibility, for one) would each look at the whole text
  // again for every piece.
  eventMask_ = Call(kGetModEventMask);
  Call(kSetModEventMask, 0);
  loading_ = true;
}

void ScintillaBox::Append(std::string_view bytes) {
  Call(kAppendText, bytes.size(), Text(bytes.data()));
}

std::string_view ScintillaBox::Bytes() {
  const auto* text = reinterpret_cast<const char*>(Call(kGetCharacterPointer));
  return {text, static_cast<std::size_t>(Call(kGetLength))};
}

std::intptr_t ScintillaBox::Document() { return Call(kGetDocPointer); }

void ScintillaBox::ShowDocument(std::intptr_t document) { Call(kSetDocPointer, 0, document); }

void ScintillaBox::SetLook(const EditorLook& look, std::string_view fontName, int points) {
  look_ = look;
  const bool utf8 = look.encoding == TextEncoding::Utf8;
  Call(kSetCodePage, utf8 ? kCodePageUtf8 : 0);
  if (utf8) Call(kSetRepresentation, Text("\xEF\xBB\xBF"), Text("BOM"));
  Call(kSetEolMode, look.lineEnd == LineEnd::CrLf ? kEolCrLf
                    : look.lineEnd == LineEnd::Cr ? kEolCr
                                                  : kEolLf);
  Call(kSetViewEol, look.showLineEnds ? 1 : 0);
  const std::string font(fontName);
  Call(kStyleSetFont, kStyleDefault, Text(font.c_str()));
  Call(kStyleSetSize, kStyleDefault, points);
  Call(kStyleClearAll);
  if (look.colour) {
    UseXmlLexer();
    for (const StyleColour& c : kXmlColours) Call(kStyleSetFore, c.style, c.colour);
  }
  Call(kSetTabWidth, 4);
  // Line numbers, as wide as the last one (at least four digits); no
  // margin for marks.
  std::string widest(std::max<std::size_t>(4, std::to_string(LineCount()).size()) + 1, '9');
  widest.front() = '_';
  Call(kSetMarginTypeN, 0, kMarginNumber);
  Call(kSetMarginWidthN, 0, Call(kTextWidth, kStyleLineNumber, Text(widest.c_str())));
  Call(kSetMarginWidthN, 1, 0);
}

void ScintillaBox::EndLoading() {
  if (!loading_) return;
  Call(kSetModEventMask, static_cast<std::uintptr_t>(eventMask_));
  Call(kSetUndoCollection, 1);
  Call(kEmptyUndoBuffer);
  Call(kSetSavePoint);
  loading_ = false;
}

TextRange ScintillaBox::Selection() {
  return {static_cast<std::size_t>(Call(kGetSelectionStart)),
          static_cast<std::size_t>(Call(kGetSelectionEnd))};
}

void ScintillaBox::Select(TextRange range) {
  Call(kSetSel, range.begin, static_cast<std::intptr_t>(range.end));
  Call(kScrollRange, range.end, static_cast<std::intptr_t>(range.begin));
  const auto line = Call(kLineFromPosition, range.begin);
  Call(kSetFirstVisibleLine,
       static_cast<std::uintptr_t>(std::max<std::intptr_t>(0, line - Call(kLinesOnScreen) / 3)));
}

std::size_t ScintillaBox::LineCount() { return static_cast<std::size_t>(Call(kGetLineCount)); }

std::size_t ScintillaBox::CaretLine() {
  return static_cast<std::size_t>(Call(kLineFromPosition, Call(kGetCurrentPos))) + 1;
}

std::optional<TextRange> ScintillaBox::Line(std::size_t line) {
  if (line == 0 || line > LineCount()) return std::nullopt;
  return TextRange{static_cast<std::size_t>(Call(kPositionFromLine, line - 1)),
                   static_cast<std::size_t>(Call(kGetLineEndPosition, line - 1))};
}

void ScintillaBox::SelectLine(std::size_t line) {
  if (const std::optional<TextRange> range = Line(line)) Select(*range);
}

void ScintillaBox::GoToLine(std::size_t line) {
  if (const std::optional<TextRange> range = Line(line)) Select({range->begin, range->begin});
}

bool ScintillaBox::Find(const FindRequest& request) {
  const TextRange selection = Selection();
  const std::size_t from =
      request.direction == FindDirection::Next ? selection.end : selection.begin;
  const std::optional<TextRange> found = FindText(Bytes(), look_.encoding, request, from);
  if (found) Select(*found);
  return found.has_value();
}

}  // namespace mapio::ui
