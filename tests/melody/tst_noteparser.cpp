#include <gtest/gtest.h>
TEST(Dummy, Build) {}
