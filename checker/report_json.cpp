#include "checker/report_json.h"

#include <nlohmann/json.hpp>

#include "core/object_kind.h"

namespace mapio::checker {

namespace {

using Json = nlohmann::ordered_json;

// Absent fields are null rather than empty, so that readers need not guess.
Json OrNull(const std::string& text) { return text.empty() ? Json(nullptr) : Json(text); }

Json FindingJson(const Finding& f) {
  return {
      {"category", std::string(CategoryWord(f.category))},
      {"line", f.line == 0 ? Json(nullptr) : Json(f.line)},
      {"name", OrNull(f.name)},
      {"id", OrNull(f.id)},
      {"detail", f.detail},
      {"file", OrNull(f.file)},
      {"format", OrNull(std::string(f.format))},
      {"width", f.width == 0 ? Json(nullptr) : Json(f.width)},
      {"height", f.height == 0 ? Json(nullptr) : Json(f.height)},
  };
}

Json FolderJson(const PackReport& report, Json findings) {
  return {
      {"path", report.folderPath},
      {"kind", std::string(KindOf(report.objectKind).cliName)},
      {"kindFound", report.kindFound},
      {"counts",
       {{"records", report.records},
        {"pictures", report.pictures},
        {"findings", report.findingCount}}},
      {"sizes", report.picturesLooked ? OrNull(report.sizes) : Json(nullptr)},
      {"findings", std::move(findings)},
  };
}

}  // namespace

struct JsonReport::Folders {
  Json array = Json::array();
};

JsonReport::JsonReport() : folders_(std::make_unique<Folders>()) {}
JsonReport::~JsonReport() = default;

void JsonReport::Add(const PackReport& report) {
  Json findings = Json::array();
  for (const Finding& f : report.findings) findings.push_back(FindingJson(f));
  folders_->array.push_back(FolderJson(report, std::move(findings)));
}

void JsonReport::Add(const PackReport& report, const std::vector<const Finding*>& findings) {
  Json listed = Json::array();
  for (const Finding* f : findings) listed.push_back(FindingJson(*f));
  folders_->array.push_back(FolderJson(report, std::move(listed)));
}

std::string JsonReport::Text() const {
  return folders_->array.dump(2, ' ', false, Json::error_handler_t::replace);
}

}  // namespace mapio::checker
