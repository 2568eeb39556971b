#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "core/record_template.h"
#include "pack/read_format.h"
#include "tests/support/mutator.h"

namespace mapio::pack {
namespace {

// Every kind's read half takes back what its write half wrote, and no other
// kind's; the exact texts are checked by the writer's files and the matching
// cases.
TEST(RecordTemplate, EachKindReadsBackOnlyItsOwnRecords) {
  const ObjectKind kinds[] = {
      Faces,           NationLogos,       CompetitionLogos, ClubLogos,        StadiumBackgrounds,
      ClubBackgrounds, PlayerBackgrounds, CompBackgrounds,  NationBackgrounds};
  for (const ObjectKind writer : kinds) {
    const std::string format(RecordTemplateOf(writer).writeFormat);
    ASSERT_TRUE(format.ends_with("\n"));
    std::string line;
    AppendRecord(line, format, "a name", 4294967295u);
    for (const ObjectKind reader : kinds) {
      SCOPED_TRACE(::testing::Message() << IndexOf(writer) << " read as " << IndexOf(reader));
      RecordFields fields;
      const std::string read(RecordTemplateOf(reader).readFormat);
      EXPECT_EQ(MatchRecord(line.substr(0, line.size() - 1), read, fields),
                writer == reader ? 2 : 1);
      EXPECT_EQ(fields.id, writer == reader ? "4294967295" : "");
    }
  }
}

TEST(RecordTemplate, DefaultBackgroundsAndStrayValuesAreFaces) {
  // A stray value can only come from a byte cast to a kind.
  for (const int value : {10, 11, 255}) {
    const auto kind = static_cast<ObjectKind>(value);
    EXPECT_EQ(RecordTemplateOf(kind).writeFormat, RecordTemplateOf(Faces).writeFormat);
    EXPECT_EQ(RecordTemplateOf(kind).readFormat, RecordTemplateOf(Faces).readFormat);
  }
  EXPECT_EQ(RecordTemplateOf(Faces).readFormat,
            "<record from=\"%[^\"]\" to=\"graphics/pictures/person/%[0-9]/portrait\"/>");
}

struct MatchRow {
  ObjectKind kind;
  std::string_view line;
  int result;
  std::string_view name;
  std::string_view id;
};

const MatchRow kMatchRows[] = {
    {Faces, R"(<record from="abc" to="graphics/pictures/person/017/portrait"/>)", 2, "abc", "017"},
    {ClubLogos, R"(<record from="abc" to="graphics/pictures/person/017/portrait"/>)", 1, "abc", ""},
    {Faces, R"(<record from="" to="graphics/pictures/person/5/portrait"/>)", 0, "", ""},
    {Faces, R"(<record   from="a"to="graphics/pictures/person/5/portrait"/>)", 2, "a", "5"},
    {Faces, "<record\tfrom=\"a\"\r\n to=\"graphics/pictures/person/5/portrait\"/>", 2, "a", "5"},
    {Faces, R"(<record from="abc)", 1, "abc", ""},
    {Faces, "<record fr", -1, "", ""},
    {Faces, "", -1, "", ""},
    {Faces, "<record ", -1, "", ""},
    {Faces, "<", -1, "", ""},
    {Faces, "x", 0, "", ""},
    {Faces, "<Record", 0, "", ""},
    // Name and ID taken: a line broken off after the ID still counts as 2.
    {Faces, R"(<record from="a b" to="graphics/pictures/person/42)", 2, "a b", "42"},
    {Faces, R"(<record from="a" to="graphics/pictures/person/42/kits"/>)", 2, "a", "42"},
    {Faces, R"(<record from="a" to="graphics/pictures/person//portrait"/>)", 1, "a", ""},
    {Faces, R"(<record from="a" to="graphics/pictures/person/x1/portrait"/>)", 1, "a", ""},
    // Logos end in "\n", which matches trailing white space or none.
    {NationLogos, R"(<record from="n" to="graphics/pictures/nation/3/logo"/>)", 2, "n", "3"},
    {NationLogos, "<record from=\"n\" to=\"graphics/pictures/nation/3/logo\"/>  \t", 2, "n", "3"},
    {StadiumBackgrounds, R"(<record from="s" to="graphics/backgrounds/stadium/0009"/>)", 2, "s",
     "0009"},
    {CompetitionLogos, R"(<record from="c" to="graphics/pictures/club/3/logo"/>)", 1, "c", ""},
    {Faces, "<record from=\"\xC4\xE9&<'>\" to=\"graphics/pictures/person/1/portrait\"/>", 2,
     "\xC4\xE9&<'>", "1"},
};

TEST(MatchRecord, CasesOfTheReadFormats) {
  for (const MatchRow& row : kMatchRows) {
    SCOPED_TRACE(row.line);
    RecordFields fields{"stale", "stale"};
    EXPECT_EQ(MatchRecord(row.line, RecordTemplateOf(row.kind).readFormat, fields), row.result);
    EXPECT_EQ(fields.name, row.name);
    EXPECT_EQ(fields.id, row.id);
  }
}

TEST(MatchRecord, TakesNamesOfAnyLength) {
  const std::string name(100000, 'n');
  const std::string digits(5000, '7');
  const std::string line =
      "<record from=\"" + name + "\" to=\"graphics/pictures/person/" + digits + "/portrait\"/>";
  RecordFields fields;
  EXPECT_EQ(MatchRecord(line, RecordTemplateOf(Faces).readFormat, fields), 2);
  EXPECT_EQ(fields.name, name);
  EXPECT_EQ(fields.id, digits);
}

// Random lines near the real ones, matched both here and by the C library's
// sscanf (with buffers larger than any line) must agree on every count and
// every stored field.
struct FormatCase {
  std::string format;
  std::string sample;  // a line the format matches in full
};

std::vector<FormatCase> DifferentialFormats() {
  std::vector<FormatCase> cases;
  for (const ObjectKind kind : kAllKinds) {
    if (kind == Kits || kind == DefaultBackgrounds) continue;
    const RecordTemplate& t = RecordTemplateOf(kind);
    std::string sample;
    AppendRecord(sample, t.writeFormat, "Some name", 1234);
    cases.push_back({std::string(t.readFormat), sample});
  }
  cases.push_back({"a %[0-9]b%[^\"]\n", "a 12b x y"});
  cases.push_back({" %[^\"]", "  word"});
  cases.push_back({"%[0-9]-%[0-9] ", "12-34 "});
  cases.push_back({"x%%y %[0-9]z", "x%y 5z"});
  cases.push_back({"a %[0-9] b %[^\"]\n", "a 12 b x y"});
  cases.push_back({"%[]a-c]%[^-]", "]ab-x"});
  return cases;
}

TEST(MatchRecord, AgreesWithSscanfOnGeneratedLines) {
  testing::Mutator mutator(20240601, " \t\n\v\f\r\"0123456789abc<>/=%]-^\xA0\xFF");
  std::vector<char> name(1 << 16), id(1 << 16);
  int disagreements = 0;
  for (const FormatCase& c : DifferentialFormats()) {
    for (int i = 0; i < 20000 && disagreements < 10; ++i) {
      const std::string line = mutator.Mutate(c.sample);
      name[0] = id[0] = '\0';
      const int expected = std::sscanf(line.c_str(), c.format.c_str(), name.data(), id.data());
      RecordFields fields;
      const int got = MatchRecord(line, c.format, fields);
      const bool same = got == expected && (expected < 1 || fields.name == name.data()) &&
                        (expected < 2 || fields.id == id.data());
      if (!same) {
        ++disagreements;
        ADD_FAILURE() << "format [" << c.format << "] line [" << line << "] sscanf " << expected
                      << " MatchRecord " << got;
      }
    }
  }
}

}  // namespace
}  // namespace mapio::pack
