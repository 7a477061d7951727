#include <gtest/gtest.h>

TEST(CLI, Placeholder) {}
