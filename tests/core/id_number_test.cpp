// The rule for a typed ID, which the window's prompts and the command line
// both take.
#include <gtest/gtest.h>

#include "core/id_number.h"

namespace mapio {
namespace {

TEST(IdNumber, DigitsOnlyUpToTheLargest32BitNumber) {
  struct Row {
    std::string_view text;
    std::optional<std::uint32_t> id;
  };
  const Row rows[] = {
      {"0", 0u},
      {"007", 7u},
      {"4294967295", 4294967295u},
      {"00000000000000000000042", 42u},
      {"", std::nullopt},
      {"4294967296", std::nullopt},
      {"99999999999999999999999", std::nullopt},
      {"-5", std::nullopt},
      {"+5", std::nullopt},
      {"12a", std::nullopt},
      {" 1", std::nullopt},
      {"\xD9\xA3", std::nullopt},  // an Arabic-Indic digit
  };
  for (const Row& row : rows) EXPECT_EQ(ParseIdNumber(row.text), row.id) << row.text;
}

}  // namespace
}  // namespace mapio
