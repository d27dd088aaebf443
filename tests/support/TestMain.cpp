// The main function of every test program. A program that opens windows gets the one
// application object they need before its first test runs, and every one of its tests
// must leave no top-level window and no modal script behind, and no modal loop may
// have needed its deadline.
#include <gtest/gtest.h>

#ifdef QUORVEL_WITH_APPLICATION
#include "platform/testing/Driver.h"
#include "platform/testing/ModalScripts.h"
#include "platform/testing/TestApplication.h"

namespace {

class TLeftoverCheck : public ::testing::EmptyTestEventListener {
  void OnTestEnd(const ::testing::TestInfo&) override {
    EXPECT_EQ(platform::testing::TopLevelWindowCount(), 0) << "the test left windows open";
    EXPECT_EQ(platform::testing::PendingModalScripts(), 0) << "the test left modal scripts unused";
    EXPECT_FALSE(platform::testing::ModalDeadlineMissed()) << "a modal loop was closed at its deadline";
    platform::testing::ClearModalScripts();
    platform::testing::ResetModalDeadlineMissed();
  }
};

}  // namespace
#endif

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
#ifdef QUORVEL_WITH_APPLICATION
  platform::testing::TestApplication application(argc, argv);
  ::testing::UnitTest::GetInstance()->listeners().Append(new TLeftoverCheck);
#endif
  return RUN_ALL_TESTS();
}
