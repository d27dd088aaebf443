// The main function of every test program. When the platform library is linked in,
// it makes the one application object that windows and dialogs need before the
// first test runs, on Qt's offscreen platform unless the environment says otherwise.
#include <gtest/gtest.h>

#if __has_include("platform/testing/TestApplication.h")
#include "platform/testing/TestApplication.h"
#define QUORVEL_HAS_TEST_APPLICATION 1
#endif

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
#ifdef QUORVEL_HAS_TEST_APPLICATION
  platform::testing::TestApplication application(argc, argv);
#endif
  return RUN_ALL_TESTS();
}
