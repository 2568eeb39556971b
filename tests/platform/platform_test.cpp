#include <gtest/gtest.h>

#include "platform/platform.h"

TEST(Platform, Builds) { EXPECT_EQ(mapio::platform::JoinPath("a", "b"), "a/b"); }
