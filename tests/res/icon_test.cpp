// The committed icon holds the six images Windows expects, in order.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>

namespace {

unsigned Word(const std::string& d, std::size_t at) {
  return static_cast<unsigned char>(d[at]) | static_cast<unsigned char>(d[at + 1]) << 8;
}
std::uint32_t Dword(const std::string& d, std::size_t at) {
  return Word(d, at) | static_cast<std::uint32_t>(Word(d, at + 2)) << 16;
}

TEST(Icon, SixImagesInOrder) {
  std::ifstream in(MAPIO_ICON_PATH, std::ios::binary);
  const std::string d((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_GE(d.size(), 6u + 6 * 16);
  EXPECT_EQ(Word(d, 0), 0u);
  EXPECT_EQ(Word(d, 2), 1u);  // icon
  ASSERT_EQ(Word(d, 4), 6u);
  const struct {
    unsigned size, bits;
  } expected[] = {{32, 4}, {16, 4}, {32, 8}, {16, 8}, {32, 24}, {16, 24}};
  for (std::size_t i = 0; i < 6; ++i) {
    SCOPED_TRACE(i);
    const std::size_t e = 6 + 16 * i;
    EXPECT_EQ(static_cast<unsigned char>(d[e]), expected[i].size);
    EXPECT_EQ(static_cast<unsigned char>(d[e + 1]), expected[i].size);
    EXPECT_EQ(Word(d, e + 6), expected[i].bits);
    const std::uint32_t length = Dword(d, e + 8);
    const std::uint32_t offset = Dword(d, e + 12);
    ASSERT_LE(std::uint64_t{offset} + length, d.size());
    // The image itself: a bitmap header of the same size, twice as high
    // for the mask, at the same depth.
    EXPECT_EQ(Dword(d, offset), 40u);
    EXPECT_EQ(Dword(d, offset + 4), expected[i].size);
    EXPECT_EQ(Dword(d, offset + 8), 2 * expected[i].size);
    EXPECT_EQ(Word(d, offset + 14), expected[i].bits);
  }
}

}  // namespace
