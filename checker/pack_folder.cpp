#include "checker/pack_folder.h"

#include "platform/platform.h"

namespace mapio::checker {

namespace {

constexpr std::size_t kExtensionLength = 4;

bool IsSeparator(char c) { return c == '/' || c == platform::kSeparator; }

}  // namespace

int PictureExtensionOf(std::string_view fileName) {
  if (fileName.size() <= kExtensionLength) return -1;
  const std::string_view tail = fileName.substr(fileName.size() - kExtensionLength);
  for (int i = 0; i < static_cast<int>(std::size(kPictureExtensions)); ++i) {
    bool same = true;
    for (std::size_t k = 0; k < kExtensionLength && same; ++k) {
      const char c = tail[k];
      same =
          (c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) == kPictureExtensions[i][k];
    }
    if (same) return i;
  }
  return -1;
}

Listing::Listing(const std::string& path) {
  std::vector<platform::DirEntry> entries;
  exists_ = platform::ListFolder(path, entries);
  names_.reserve(entries.size());
  for (auto& entry : entries)
    if (!entry.isDirectory) names_.push_back(std::move(entry.name));
  stems_.reserve(names_.size());
  for (const std::string& name : names_) {
    const int extension = PictureExtensionOf(name);
    if (extension < 0) continue;
    const std::string_view tail = std::string_view(name).substr(name.size() - kExtensionLength);
    if (tail != kPictureExtensions[extension]) continue;  // only in another case
    stems_[std::string_view(name).substr(0, name.size() - kExtensionLength)] |= 1u << extension;
  }
}

unsigned Listing::ExactExtensions(std::string_view stem) const {
  const auto it = stems_.find(stem);
  return it == stems_.end() ? 0 : it->second;
}

std::vector<std::string> Listing::CaseVariants(std::string_view name) {
  if (!foldedMade_) {
    foldedMade_ = true;
    folded_.reserve(names_.size());
    for (const std::string& n : names_) folded_.emplace(platform::CaseFoldKey(n), n);
  }
  std::vector<std::string> variants;
  const auto [first, last] = folded_.equal_range(platform::CaseFoldKey(name));
  for (auto it = first; it != last; ++it) variants.push_back(it->second);
  return variants;
}

PackFolder::PackFolder(std::string path) : path_(std::move(path)), top_(path_) {
  pictures_.reserve(top_.Names().size());
  for (const std::string& name : top_.Names())
    if (name != "config.xml" && PictureExtensionOf(name) >= 0) pictures_.push_back(name);
}

Listing& PackFolder::ListingOf(const std::string& subfolder) {
  if (subfolder.empty()) return top_;
  auto& listing = subfolders_[subfolder];
  if (!listing) listing = std::make_unique<Listing>(platform::JoinPath(path_, subfolder));
  return *listing;
}

PictureMatch PackFolder::Find(std::string_view name) {
  std::size_t cut = name.size();
  while (cut > 0 && !IsSeparator(name[cut - 1])) --cut;
  const std::string subfolder(name.substr(0, cut > 0 ? cut - 1 : 0));
  const std::string_view base = name.substr(cut);
  Listing& listing = ListingOf(subfolder);

  PictureMatch match;
  if (const unsigned found = listing.ExactExtensions(base)) {
    const int first = found & 1u ? 0 : found & 2u ? 1 : 2;
    match.how = PictureMatch::How::Exact;
    match.files = {std::string(name).append(kPictureExtensions[first])};
    return match;
  }
  for (std::string_view extension : kPictureExtensions) {
    std::vector<std::string> variants = listing.CaseVariants(std::string(base).append(extension));
    if (variants.empty()) continue;
    match.how = PictureMatch::How::OtherCase;
    for (std::string& v : variants) match.files.push_back(std::string(name.substr(0, cut)) + v);
    return match;
  }
  return match;
}

bool PackFolder::HasIdPicture(std::string_view id) {
  if (top_.ExactExtensions(id) != 0) return true;
  for (std::string_view extension : kPictureExtensions)
    if (!top_.CaseVariants(std::string(id).append(extension)).empty()) return true;
  return false;
}

}  // namespace mapio::checker
