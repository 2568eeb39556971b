// Names a job passed over or left out, told after its run: the first few
// of them and how many in all, so that half a million are never held.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace mapio {

struct NameList {
  static constexpr std::size_t kKept = 20;
  std::vector<std::string> first;
  std::size_t count = 0;
  void Add(std::string_view name) {
    if (first.size() < kKept) first.emplace_back(name);
    ++count;
  }
};

// Each name kept on a line of its own after `text`, shown as AppendShown
// shows names, then "and 3 more" for those that were not kept.
void AppendNames(std::string& text, const NameList& names);

}  // namespace mapio
