#include "pack/pack_pictures.h"

namespace mapio::pack {

PackPictures::PackPictures(const PackFolder& folder, bool subfolders)
    : folder_(folder),
      own_(folder.Pictures().size()),
      names_(&folder.Pictures()),
      notPictures_(folder.NotPictures()) {
  folders_.push_back({&folder.Path(), &folder.OwnListing(), 0});
  std::vector<const Subfolder*> below;
  std::size_t text = 0;
  if (subfolders) {
    for (const auto& [name, subfolder] : folder.Subfolders()) {
      if (subfolder.is != Subfolder::Is::Own) continue;
      below.push_back(&subfolder);
      const Listing& listing = subfolder.listing;
      text += listing.Entries().TextSize() + (name.size() + 1) * listing.Entries().Size();
    }
  }
  // The views below point into one block, made once.
  text_.reserve(text);
  const auto named = [this](const Subfolder& subfolder, std::string_view name) {
    const std::size_t at = text_.size();
    text_.append(subfolder.name).append(1, '/').append(name);
    return std::string_view(text_).substr(at);
  };
  std::size_t count = own_;
  for (const Subfolder* subfolder : below) count += subfolder->listing.Pictures().size();
  if (count != own_) {
    all_.reserve(count);
    all_.assign(folder.Pictures().begin(), folder.Pictures().end());
    foundBelow_.reserve(count - own_);
  }
  std::size_t first = own_;
  for (const Subfolder* subfolder : below) {
    const Listing& listing = subfolder->listing;
    folders_.push_back({&subfolder->path, &listing, first});
    first += listing.Pictures().size();
    for (std::size_t i = 0; i < listing.Pictures().size(); ++i) {
      all_.push_back(named(*subfolder, listing.Pictures()[i]));
      foundBelow_.push_back(listing.Claimed(i));
    }
    for (const NotAPicture& other : listing.NotPictures())
      notPictures_.push_back({named(*subfolder, other.name), other.entry});
  }
  if (count != own_) names_ = &all_;
}

}  // namespace mapio::pack
