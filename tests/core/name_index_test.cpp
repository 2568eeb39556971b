#include "core/name_index.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mapio {
namespace {

std::string Name(std::uint32_t i) { return std::string("n").append(std::to_string(i)); }

TEST(NameIndex, FindsEveryNameByItsNumbersThroughGrowth) {
  NameIndex index;
  // Enough names to make the table grow several times; each comes twice.
  constexpr std::uint32_t kNames = 5000;
  for (std::uint32_t i = 0; i < kNames; ++i) EXPECT_EQ(index.Add(Name(i)), i);
  for (std::uint32_t i = 0; i < kNames; ++i) index.Add(Name(i));
  ASSERT_EQ(index.Size(), 2 * kNames);

  std::vector<std::uint32_t> numbers;
  for (std::uint32_t i = 0; i < kNames; ++i) {
    const std::string name = Name(i);
    ASSERT_EQ(index.Find(name), i);  // the first one added
    index.FindAll(name, numbers);
    ASSERT_EQ(numbers, (std::vector<std::uint32_t>{i, i + kNames}));
    ASSERT_EQ(index.Name(i + kNames), name);
  }
  for (const char* absent : {"", "n", "N1", "n5000", "n1 "}) {
    EXPECT_FALSE(index.Contains(absent)) << absent;
    index.FindAll(absent, numbers);
    EXPECT_TRUE(numbers.empty()) << absent;
  }
}

TEST(NameIndex, FindOrAddAddsOnlyWhatIsNew) {
  NameIndex index;
  bool added = false;
  EXPECT_EQ(index.FindOrAdd("a", added), 0u);
  EXPECT_TRUE(added);
  EXPECT_EQ(index.FindOrAdd("", added), 1u);
  EXPECT_TRUE(added);
  EXPECT_EQ(index.FindOrAdd("a", added), 0u);
  EXPECT_FALSE(added);
  EXPECT_EQ(index.FindOrAdd("", added), 1u);
  EXPECT_FALSE(added);
  EXPECT_EQ(index.Size(), 2u);
  EXPECT_EQ(index.Name(1), "");
}

}  // namespace
}  // namespace mapio
