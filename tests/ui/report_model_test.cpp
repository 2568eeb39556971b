// The check's report as both windows show it: filters, order, cells, what
// Copy and Save give, and what Enter and the picture beside the table do.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/platform.h"
#include "tests/support/fake_host.h"
#include "tests/support/hostile_entries.h"
#include "tests/support/temp_folder.h"
#include "tests/support/pictures.h"
#include "tests/support/face_pack.h"
#include "ui/check_job.h"
#include "ui/check_report.h"
#include "ui/report_model.h"

namespace mapio::ui {
namespace {

using checker::Category;
using checker::Finding;
using testing::TempFolder;

checker::PackReport Sample() {
  checker::PackReport r;
  r.folderPath = "faces";
  r.records = 12;
  r.pictures = 11;
  r.findings = {
      {Category::Missing, 19, "gone", "10", "no picture gone.png, gone.jpg or gone.gif", ""},
      {Category::DuplicateId, 24, "b", "9", "line 22 already maps ID 9: only one picture can show",
       ""},
      {Category::Missing, 30, "Zed", "100", "no picture Zed.png, Zed.jpg or Zed.gif", ""},
      {Category::Unmapped, 0, "a\nb.png", "", "no record names this picture", "a\nb.png"},
      {Category::Leftover, 0, ".config.xml.mapio-Ab12Cd", "", "a temporary file",
       ".config.xml.mapio-Ab12Cd"},
  };
  r.findingCount = r.findings.size();
  return r;
}

std::vector<std::size_t> Order(const ReportModel& model) {
  std::vector<std::size_t> order;
  for (std::size_t row = 0; row < model.Rows(); ++row) order.push_back(model.FindingOf(row));
  return order;
}

std::string Line(const std::string& rest) {
  return std::string("faces") + platform::kSeparator + rest + "\n";
}

TEST(ReportModel, ShowsEveryFindingInOneLineCellsInTheReportsOrder) {
  const ReportModel model(Sample());
  EXPECT_EQ(Order(model), (std::vector<std::size_t>{0, 1, 2, 3, 4}));
  std::vector<std::string> row;
  for (int c = 0; c < kReportColumns; ++c) row.push_back(model.Cell(3, ReportColumn(c)));
  EXPECT_EQ(row, (std::vector<std::string>{"unmapped", "", "a\\nb.png", "",
                                           "no record names "
                                           "this picture"}));
  EXPECT_EQ(model.Cell(1, ReportColumn::Line), "24");
  EXPECT_EQ(model.Cell(1, ReportColumn::Id), "9");
  EXPECT_EQ(ReportColumnTitle(ReportColumn::Id), "ID");
}

TEST(ReportModel, FiltersByCategoryAndSortsStablyByAnyColumn) {
  ReportModel model(Sample());
  EXPECT_EQ(model.FilterLabel(std::nullopt), "all (5)");
  EXPECT_EQ(model.FilterLabel(Category::Missing), "missing (2)");
  EXPECT_EQ(model.Categories().size(), 4u);
  EXPECT_EQ(model.Categories()[0].category, Category::Missing);  // the categories' order

  const struct {
    std::optional<ReportColumn> column;
    bool descending;
    std::vector<std::size_t> order;
  } sorts[] = {
      {ReportColumn::Category, false, {1, 4, 0, 2, 3}},
      {ReportColumn::Line, false, {0, 1, 2, 3, 4}},  // no line last
      {ReportColumn::Line, true, {3, 4, 2, 1, 0}},
      {ReportColumn::Name, false, {4, 3, 1, 0, 2}},  // letter case aside
      {ReportColumn::Id, false, {1, 0, 2, 3, 4}},    // as numbers
      {ReportColumn::Detail, true, {3, 0, 2, 1, 4}},
      {std::nullopt, true, {4, 3, 2, 1, 0}},
  };
  for (const auto& s : sorts) {
    model.SortBy(s.column, s.descending);
    EXPECT_EQ(Order(model), s.order) << (s.column ? int(*s.column) : -1) << s.descending;
  }
  model.SortBy(ReportColumn::Id, true);
  model.ShowOnly(Category::Missing);
  EXPECT_EQ(Order(model), (std::vector<std::size_t>{2, 0}));
  EXPECT_EQ(model.RowOf(0), 1u);
  EXPECT_EQ(model.RowOf(1), std::nullopt);

  // A fresh report keeps the choice, but not a filter of a category it lacks.
  checker::PackReport fresh = Sample();
  fresh.findings.erase(fresh.findings.begin() + 1);
  const ReportModel kept(fresh, model.View());
  EXPECT_EQ(Order(kept), (std::vector<std::size_t>{1, 0}));
  fresh.findings.erase(fresh.findings.begin(), fresh.findings.begin() + 2);
  const ReportModel unfiltered(fresh, model.View());
  EXPECT_EQ(unfiltered.Rows(), 2u);
}

TEST(ReportModel, CopiesAndSavesInTheCommandLinesFormats) {
  ReportModel model(Sample());
  model.SortBy(ReportColumn::Line, true);
  // Selected rows in the table's order, whatever order they were picked in.
  EXPECT_EQ(model.Lines({4, 2, 4}),
            Line("config.xml:30: missing: no picture Zed.png, Zed.jpg or Zed.gif") +
                Line("config.xml:19: missing: no picture gone.png, gone.jpg or gone.gif"));
  model.ShowOnly(Category::Unmapped);
  EXPECT_EQ(model.Lines({}), Line("a\\nb.png: unmapped: no record names this picture"));
  EXPECT_EQ(model.Saved({}, ReportFormat::Text),
            Line("a\\nb.png: unmapped: no record names this picture") +
                "faces: 12 records, 11 pictures, 5 findings\n");
  model.ShowOnly(std::nullopt);
  EXPECT_EQ(model.Saved({4}, ReportFormat::Json), R"([
  {
    "path": "faces",
    "kind": "faces",
    "kindFound": false,
    "counts": {
      "records": 12,
      "pictures": 11,
      "findings": 5
    },
    "sizes": null,
    "findings": [
      {
        "category": "missing",
        "line": 19,
        "name": "gone",
        "id": "10",
        "detail": "no picture gone.png, gone.jpg or gone.gif",
        "file": null,
        "format": null,
        "width": null,
        "height": null
      }
    ]
  }
]
)");
  EXPECT_EQ(SavedFormatOf("/a/report.JSON"), ReportFormat::Json);
  EXPECT_EQ(SavedFormatOf("/a/report.json.txt"), ReportFormat::Text);
}

TEST(ReportModel, SummaryNamesTheFolderOnceAndTheIdStyle) {
  const struct {
    std::size_t plain, generated;
    std::string style;
  } styles[] = {
      {0, 0, ""},
      {12, 0, "ID style: plain (12 records)"},
      {0, 1, "ID style: r- (1 record)"},
      {10, 2, "ID style: mixed (10 plain, 2 r-)"},
  };
  for (const auto& s : styles) {
    checker::PackReport report = Sample();
    report.plainIds = s.plain;
    report.generatedIds = s.generated;
    EXPECT_EQ(ReportModel(report).IdStyle(), s.style);
  }
  checker::PackReport clean = Sample();
  clean.findings.clear();
  clean.findingCount = 0;
  clean.plainIds = 12;
  EXPECT_EQ(ReportModel(clean).Summary(),
            "faces: 12 records, 11 pictures, 0 findings\nNothing is wrong with this pack.\n"
            "ID style: plain (12 records)");
}

struct NoEditor : EditorView {
  std::unique_ptr<EditorText> NewText(std::size_t, bool) override { return nullptr; }
  bool Edit(EditorText&, const EditorLook&, std::size_t) override { return false; }
};

// Enter opens the editor at the finding's line; only a save checks again,
// and the fresh report keeps the user's order and gets its own buttons.
TEST(CheckReport, EnterEditsTheLineAndASaveChecksAgain) {
  testing::FakeHost host;
  std::vector<std::size_t> edited;
  bool save = false;
  int checks = 0;
  CheckedPack first{Sample(), {}};
  first.buttons.addNew = "&Add 1 new picture";
  CheckReport report(
      host, "/nowhere", first, ReportView{std::nullopt, ReportColumn::Line, true, std::nullopt},
      [&](const std::string&, std::size_t line, EditorView&) {
        edited.push_back(line);
        return save;
      },
      [&] {
        ++checks;
        CheckedPack fresh{Sample(), {}};
        fresh.report.findings.pop_back();
        return fresh;
      });
  NoEditor editor;
  EXPECT_FALSE(report.Open(0, editor));  // a picture without a line
  EXPECT_FALSE(report.Open(2, editor));
  save = true;
  EXPECT_TRUE(report.Open(3, editor));
  EXPECT_EQ(edited, (std::vector<std::size_t>{30, 24}));
  EXPECT_EQ(checks, 1);
  EXPECT_EQ(Order(report.Model()), (std::vector<std::size_t>{3, 2, 1, 0}));
  EXPECT_EQ(report.Buttons(), ReportButtons{});
}

TEST(CheckReport, SavesTextOrJsonAndSaysWhenItCannot) {
  TempFolder dir;
  testing::FakeHost host;
  CheckReport report(host, dir.str(), CheckedPack{Sample(), {}}, {}, {}, {});
  EXPECT_TRUE(report.Save(platform::JoinPath(dir.str(), "r.txt"), {2}));
  EXPECT_EQ(dir.ReadText("r.txt"), Line("config.xml:30: missing: no picture Zed.png, Zed.jpg or "
                                        "Zed.gif") +
                                       "faces: 12 records, 11 pictures, 5 findings\n");
  EXPECT_TRUE(report.Save(platform::JoinPath(dir.str(), "r.json"), {}));
  EXPECT_TRUE(dir.ReadText("r.json").starts_with("[\n  {\n    \"path\": \"faces\""));
  EXPECT_TRUE(host.messages.empty());
  EXPECT_FALSE(report.Save(platform::JoinPath(dir.str(), "no/r.txt"), {}));
  EXPECT_EQ(host.Texts(), std::vector<std::string>{std::string(kReportNotSavedText)});
}

TEST(CheckReport, ThePictureBesideIsTheFindingsFileAsTheCheckSeesIt) {
  TempFolder dir;
  dir.Write("sub/a.png", testing::kTinyPng);
  dir.Write("b.png", "");
  testing::FakeHost host;
  checker::PackReport pack;
  pack.findings = {
      {Category::Unmapped, 0, "sub/a.png", "", "x", "sub/a.png"},
      {Category::Unmapped, 0, "b.png", "", "x", "b.png"},
      {Category::Missing, 3, "c", "1", "x", ""},
      {Category::Leftover, 0, ".config.xml.mapio-Ab12Cd", "", "x", ".config.xml.mapio-Ab12Cd"},
  };
  CheckReport report(host, dir.str(), CheckedPack{pack, {}}, {}, {}, {});
  const std::optional<PictureFacts> a = report.PictureOf(0);
  ASSERT_TRUE(a);
  EXPECT_EQ(a->name, "sub/a.png");
  EXPECT_EQ(a->description, "PNG, 1 \xC3\x97 1 pixels, 69 bytes");
  EXPECT_TRUE(platform::FileExists(a->path));
  EXPECT_EQ(report.PictureOf(1)->description, "an empty file");
  EXPECT_FALSE(report.PictureOf(2));
  EXPECT_FALSE(report.PictureOf(3));
#ifndef _WIN32
  // Nothing that is no file of the pack goes to a window's picture reader,
  // which would wait on a FIFO for ever; a link inside the pack is its picture.
  TempFolder outer;
  const std::string hostile = testing::MakeHostilePack(outer);
  checker::PackReport entries;
  for (const char* name : {"1.png", "2.png", "3.png", "5.png"})
    entries.findings.emplace_back(Category::Unmapped, 0, name, "", "x", name);
  CheckReport links(host, hostile, CheckedPack{entries, {}}, {}, {}, {});
  for (std::size_t i = 0; i < 3; ++i) EXPECT_FALSE(links.PictureOf(i)) << i;
  ASSERT_TRUE(links.PictureOf(3));
  EXPECT_EQ(links.PictureOf(3)->description, "PNG, 1 \xC3\x97 1 pixels, 69 bytes");
#endif
  EXPECT_EQ(FileSizeText(1), "1 byte");
  EXPECT_EQ(FileSizeText(2150), "2.1 KB");
  EXPECT_EQ(FileSizeText(3 << 20), "3.0 MB");
}

// A report over the packs below a folder: a Pack column, a filter by pack,
// the clashes, the buttons and the editor of the current finding's pack,
// and "Find ID".
TEST(CheckReport, OfSeveralPacksNamesEachFindingsPackAndActsOnIt) {
  TempFolder dir;
  dir.Write("faces/config.xml", testing::FacePack({{"a", "7"}}));
  dir.Write("faces/a.png", testing::kTinyPng);
  dir.Write("faces/stray.png", testing::kTinyPng);
  dir.Write("update/config.xml", testing::FacePack({{"gone", "7"}}));
  FolderReport found = CheckFolderOrPacks(dir.str(), "g", Faces, [](const JobProgress&) {});
  ASSERT_TRUE(std::holds_alternative<ScanReport>(found));
  testing::FakeHost host;
  CheckedPacks checked{std::get<ScanReport>(std::move(found)), {{}, {}}, Faces};
  checked.buttons[1].removeMissing = "&Remove 1 missing record";
  std::vector<std::string> edited;
  CheckReport report(host, dir.str(), std::move(checked), {},
                     [&](const std::string& folder, std::size_t line, EditorView&) {
                       edited.push_back(folder + ":" + std::to_string(line));
                       return false;
                     },
                     {});
  const ReportModel& model = report.Model();
  std::vector<std::string> cells;
  for (std::size_t row = 0; row < model.Rows(); ++row)
    for (const ReportColumn column : model.Columns()) cells.push_back(model.Cell(row, column));
  EXPECT_EQ(cells, (std::vector<std::string>{
                       "faces", "unmapped", "", "stray.png", "", "no record names this picture",
                       "update", "missing", "3", "gone", "7",
                       "no picture gone.png, gone.jpg or gone.gif", "faces", "clash", "3", "", "7",
                       std::string("graphics/pictures/person/7/portrait is also mapped by update") +
                           platform::kSeparator +
                           "config.xml:3: the game shows only one of their pictures"}));
  EXPECT_EQ(model.Summary(), "g: 2 packs, 2 records, 2 pictures, 2 findings, 1 clash");
  EXPECT_EQ(model.PackFilterLabel(std::nullopt), "all packs (3)");
  EXPECT_EQ(model.PackFilterLabel(1), "update (1)");
  EXPECT_EQ(model.Lines({1}), std::string("update") + platform::kSeparator +
                                  "config.xml:3: missing: no picture gone.png, gone.jpg or "
                                  "gone.gif\n");

  EXPECT_EQ(report.Buttons(), ReportButtons{});  // faces', the first row's
  EXPECT_TRUE(report.ShowButtonsOf(1));
  EXPECT_EQ(report.Buttons().removeMissing, "&Remove 1 missing record");
  EXPECT_EQ(report.FolderOf(report.ChosenPack()), platform::JoinPath(dir.str(), "update"));
  NoEditor editor;
  EXPECT_FALSE(report.Open(1, editor));
  EXPECT_EQ(edited, std::vector<std::string>{platform::JoinPath(dir.str(), "update") + ":3"});
  EXPECT_EQ(report.PictureOf(0)->path,
            platform::JoinPath(platform::JoinPath(dir.str(), "faces"), "stray.png"));

  report.Model().ShowPack(1);
  EXPECT_EQ(report.Model().Rows(), 1u);
  EXPECT_TRUE(report.Model().Summary().ends_with(
      "\nupdate: 1 record, 0 pictures, 1 finding (checked as faces)"));

  const IdAnswer seven = report.FindId(" r-7 ");
  EXPECT_TRUE(
      seven.text.ends_with("faces 7: mapped by 2 records: the game shows only one of "
                           "their pictures\n"))
      << seven.text;
  ASSERT_TRUE(seven.picture);
  EXPECT_EQ(seven.picture->name, "faces/a.png");
  EXPECT_EQ(report.FindId("x7").text, "'x7' is no ID (such as 2000123 or r-2000123)");

  // One pack with none below it is checked as before, for the marked kind.
  const FolderReport one = CheckFolderOrPacks(platform::JoinPath(dir.str(), "faces"), "faces",
                                              ClubLogos, [](const JobProgress&) {});
  ASSERT_TRUE(std::holds_alternative<checker::PackReport>(one));
  EXPECT_EQ(std::get<checker::PackReport>(one).objectKind, ClubLogos);
}

}  // namespace
}  // namespace mapio::ui
