// Placeholder until the dictionary tests land.
#include <gtest/gtest.h>
TEST(Lookup, Builds) {}
