// A config.xml of faces as Mapio writes it, from (name, ID) pairs.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace mapio::testing {

inline std::string FacePack(const std::vector<std::pair<std::string, std::string>>& records) {
  std::string text = "<record>\n\t<list id=\"maps\">\n";
  for (const auto& [from, id] : records)
    text +=
        "\t\t<record from=\"" + from + "\" to=\"graphics/pictures/person/" + id + "/portrait\"/>\n";
  return text + "\t</list>\n</record>\n";
}

}  // namespace mapio::testing
