// Random texts near given ones, for tests that hold two readers of the same
// text to the same answers: a few characters taken out, put in or changed,
// pieces put in, the text cut short.
#pragma once

#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace mapio::testing {

class Mutator {
 public:
  // Characters to put in come from `alphabet`, pieces from `pieces`.
  Mutator(unsigned seed, std::string_view alphabet, std::vector<std::string> pieces = {})
      : rng_(seed), alphabet_(alphabet), pieces_(std::move(pieces)) {}

  std::string Mutate(std::string text) {
    const int count = static_cast<int>(rng_() % 5);
    for (int i = 0; i < count; ++i) {
      const std::size_t at = text.empty() ? 0 : rng_() % (text.size() + 1);
      switch (rng_() % 6) {
        case 0:
          if (at < text.size()) text.erase(at, 1 + rng_() % 3);
          break;
        case 1: text.insert(at, 1, Pick()); break;
        case 2: text.resize(at); break;
        case 3: text.insert(at, std::string(rng_() % 4, Pick())); break;
        case 4:
          if (!pieces_.empty()) text.insert(at, pieces_[rng_() % pieces_.size()]);
          break;
        default:
          if (at < text.size()) text[at] = Pick();
          break;
      }
    }
    return text;
  }

 private:
  char Pick() { return alphabet_[rng_() % alphabet_.size()]; }

  std::mt19937 rng_;
  std::string alphabet_;
  std::vector<std::string> pieces_;
};

}  // namespace mapio::testing
