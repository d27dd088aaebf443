// The main function of every test program. A program that opens windows gets the one
// application object they need before its first test runs.
#include <gtest/gtest.h>

#ifdef QUORVEL_WITH_APPLICATION
#include "platform/testing/TestApplication.h"
#endif

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
#ifdef QUORVEL_WITH_APPLICATION
  platform::testing::TestApplication application(argc, argv);
#endif
  return RUN_ALL_TESTS();
}
