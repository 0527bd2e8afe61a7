#include <windows.h>

#include <gtest/gtest.h>

// Every length and position the program handles counts bytes of code page 936;
// the test runner sets the locale that gives it.
TEST(Platform, AnsiCodePageIs936) { EXPECT_EQ(GetACP(), 936u); }
