#include "shell/SystemTray.h"

#include <gtest/gtest.h>

#include <vector>

#include "res/Ids.h"
#include "support/Fakes.h"

namespace pw {
namespace {

class SystemTrayTest : public ::testing::Test {
 protected:
  // A shown icon, the calls that showed it forgotten.
  void SetUp() override {
    ASSERT_TRUE(tray_.createTrayIcon("tip", icons::kGreen, kTrayId, false));
    shell_ = test::FakeTrayShell{};
  }
  // Moves the timers and the wall clock on together in 500 ms steps.
  void run(int ms) {
    for (int i = 0; i < ms / 500; ++i) {
      realMs_ += 500;
      clock_.seconds = realMs_ / 1000;
      timers_.advance(500);
    }
  }

  test::FakeTrayShell shell_;
  test::FakeTimers timers_;
  test::FakeClock clock_;  // starts at a whole second
  CSystemTray tray_{shell_, timers_, clock_};
  std::int64_t realMs_ = clock_.seconds * 1000;
};

TEST_F(SystemTrayTest, CreationSetsTheFlagsByOutcome) {
  struct Case {
    bool available, addOk, result, enabled, isHidden, pending;
  };
  const Case cases[] = {
      {true, true, true, true, false, false},
      {true, false, false, true, true, true},    // the add failed
      {false, true, false, false, true, false},  // no notification area
  };
  for (const auto& c : cases) {
    test::FakeTrayShell shell;
    shell.isAvailable = c.available;
    shell.addOk = c.addOk;
    CSystemTray tray(shell, timers_, clock_);
    SCOPED_TRACE(testing::Message() << c.available << c.addOk);
    EXPECT_EQ(tray.createTrayIcon("Pagewarden", icons::kGreen, kTrayId, false), c.result);
    EXPECT_EQ(std::vector({tray.enabled(), tray.hidden(), tray.pending()}),
              std::vector({c.enabled, c.isHidden, c.pending}));
    EXPECT_EQ(tray.setTipText("new"), c.enabled);
    EXPECT_EQ(tray.setIconResource(icons::kYellow), c.enabled);
  }
}

TEST_F(SystemTrayTest, AnimationEndsAfterMoreThanItsSecondsOrWhenReplacedOrEnded) {
  tray_.loadIconRange(icons::kGreenFrame2, icons::kGreenFrame3);
  ASSERT_TRUE(tray_.startAnimation(500, 2));
  run(3000);
  // Frames through whole seconds 0 to 2; the first step in second 3 puts the saved icon back.
  EXPECT_EQ(timers_.count(), 0u);
  EXPECT_EQ(shell_.shownIcons,
            (std::vector<IconId>{icons::kGreenFrame3, icons::kGreenFrame2, icons::kGreenFrame3,
                                 icons::kGreenFrame2, icons::kGreenFrame3, icons::kGreen}));
  shell_.shownIcons.clear();
  tray_.startAnimation(500, 2);
  run(500);
  EXPECT_FALSE(tray_.loadIconRange(icons::kBlank, icons::kGreen));
  EXPECT_TRUE(tray_.loadIconRange(icons::kGreen, icons::kBlank));
  ASSERT_TRUE(tray_.startAnimation(250, -1));
  run(3600 * 1000);
  // A frame and the restored icon, then an hour of four frames a second from the new timer alone.
  const auto& shown = shell_.shownIcons;
  ASSERT_EQ(shown.size(), 2u + 4 * 3600);
  EXPECT_EQ(std::vector(shown.begin(), shown.begin() + 4),
            (std::vector<IconId>{icons::kGreenFrame3, icons::kGreen, 0, icons::kGreen}));
  EXPECT_TRUE(tray_.endAnimation());
  EXPECT_EQ(tray_.iconHandle(), icons::kGreen);
  EXPECT_FALSE(tray_.endAnimation());
}

TEST_F(SystemTrayTest, HiddenIconComesBackWithItsRecordAndAPendingOneWithANewPanel) {
  EXPECT_TRUE(tray_.removeFromTray());
  EXPECT_TRUE(tray_.removeFromTray());  // already removed: the shell is not asked again
  tray_.setIconResource(icons::kRed);   // hidden now: only the record changes
  shell_.addOk = false;
  EXPECT_FALSE(tray_.ensureShown());
  tray_.restorePendingIcon();  // pending but hidden: stays away
  EXPECT_EQ(shell_.kinds, "RA");

  shell_.addOk = true;
  EXPECT_TRUE(tray_.ensureShown());
  tray_.restorePendingIcon();  // shown and still pending: a later new panel gets it too
  EXPECT_EQ(shell_.shownIcons, (std::vector<IconId>{icons::kRed, icons::kRed, icons::kRed}));
  shell_.addOk = false;
  tray_.restorePendingIcon();
  EXPECT_TRUE(tray_.hidden());
  EXPECT_FALSE(tray_.pending());
}

}  // namespace
}  // namespace pw
