# The Windows build's GoogleTest: GTest::gtest and GTest::gtest_main come
# from /usr/src/googletest, added by cmake/windows.cmake.
set(GTest_FOUND TRUE)
