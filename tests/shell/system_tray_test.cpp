#include "shell/SystemTray.h"

#include <gtest/gtest.h>

#include <tuple>

#include "res/Ids.h"
#include "support/Fakes.h"

namespace pw {
namespace {

class SystemTrayTest : public ::testing::Test {
 protected:
  // Moves the timers and the wall clock on together in 500 ms steps.
  void run(int ms) {
    for (int i = 0; i < ms / 500; ++i) {
      realMs_ += 500;
      clock_.seconds = realMs_ / 1000;
      timers_.advance(500);
    }
  }
  // A shown icon created at clockMs, the calls that showed it forgotten.
  void create(std::int64_t clockMs = 50'000) {
    realMs_ = clockMs;
    clock_.seconds = clockMs / 1000;
    ASSERT_TRUE(tray_.createTrayIcon("tip", icons::kGreen, kTrayId, false));
    shell_ = test::FakeTrayShell{};
  }

  test::FakeTrayShell shell_;
  test::FakeTimers timers_;
  test::FakeClock clock_;
  CSystemTray tray_{shell_, timers_, clock_};
  std::int64_t realMs_ = 0;
};

TEST_F(SystemTrayTest, CreationSetsTheFlagsByOutcome) {
  struct Case {
    bool available, addOk, hidden, result, enabled, isHidden, pending;
    std::string calls;  // at creation, then after a tooltip and an icon change
  };
  const Case cases[] = {
      {true, true, false, true, true, false, false, "AMM"},
      {true, false, false, false, true, true, true, "A"},   // the add failed
      {false, true, false, false, false, true, false, ""},  // no notification area
      {true, true, true, true, true, true, false, ""},      // created hidden
  };
  for (const auto& c : cases) {
    test::FakeTrayShell shell;
    shell.isAvailable = c.available;
    shell.addOk = c.addOk;
    CSystemTray tray(shell, timers_, clock_);
    SCOPED_TRACE(testing::Message() << c.available << c.addOk << c.hidden);
    EXPECT_EQ(tray.createTrayIcon("Pagewarden", icons::kGreen, kTrayId, c.hidden), c.result);
    EXPECT_EQ(std::vector({tray.enabled(), tray.hidden(), tray.pending()}),
              std::vector({c.enabled, c.isHidden, c.pending}));
    EXPECT_EQ(tray.setTipText("new"), c.enabled);
    EXPECT_EQ(tray.setIconResource(icons::kYellow), c.enabled);
    EXPECT_EQ(shell.kinds, c.calls);
  }
}

TEST_F(SystemTrayTest, TooltipIsCutToWholeCharactersWithin63Bytes) {
  create();
  const std::string czech = "Příliš žluťoučký kůň úpěl ďábelské ódy, náplň je vypotřebována.";
  for (int pad = 0; pad < 4; ++pad) {  // moves two-byte characters across the cut
    const std::string text = std::string(pad, 'x') + czech + czech;
    tray_.setTipText(text);
    const std::string& tip = tray_.record().tip;
    SCOPED_TRACE(pad);
    EXPECT_TRUE(tip.size() == 62 || tip.size() == 63) << tip.size();
    EXPECT_EQ(text.compare(0, tip.size(), tip), 0);
    EXPECT_NE(static_cast<unsigned char>(text[tip.size()]) & 0xC0, 0x80u);
  }
}

TEST_F(SystemTrayTest, AnimationEndsAtFirstStepAfterMoreThanItsSeconds) {
  // The start's place in its second, and how many frames a two-second animation shows before the
  // icon saved at the start comes back.
  for (const auto& [startMsIntoSecond, frames] : {std::pair{0, 5u}, std::pair{700, 4u}}) {
    SCOPED_TRACE(startMsIntoSecond);
    create(50'000 + startMsIntoSecond);
    tray_.loadIconRange(icons::kGreenFrame2, icons::kGreenFrame3);
    ASSERT_TRUE(tray_.startAnimation(500, 2));
    run(3000);
    EXPECT_EQ(timers_.count(), 0u);
    ASSERT_EQ(shell_.shownIcons.size(), frames + 1);
    EXPECT_EQ(shell_.shownIcons.back(), icons::kGreen);
  }
}

TEST_F(SystemTrayTest, NewAnimationRestoresTheIconFirstAndEndlessOneRunsUntilEnded) {
  create();
  tray_.loadIconRange(icons::kGreenFrame2, icons::kGreenFrame3);
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
  create();
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

TEST_F(SystemTrayTest, DoubleClickAndBoldItemFollowTheDefaultItem) {
  // About, the web sub-menu, a separator, Settings, Details, Status, a separator, Exit.
  const std::vector<int> menu = {cmd::kAbout,      0, 0,         cmd::kSettings, cmd::kDetails,
                                 cmd::kShowStatus, 0, cmd::kExit};
  const std::optional<int> none;
  // The default item, whether by position, then the command sent and the bold position.
  const std::tuple<int, bool, std::optional<int>, std::optional<int>> cases[] = {
      {-1, true, none, none},  // the program's setting: nothing happens
      {1, true, none, 1},      // a sub-menu is bold but sends no command
      {5, true, cmd::kShowStatus, 5},
      {8, true, none, none},
      {cmd::kDetails, false, cmd::kDetails, 4}};
  for (const auto& [item, byPosition, command, bold] : cases) {
    SCOPED_TRACE(item);
    tray_.setDefaultMenuItem(item, byPosition);
    EXPECT_EQ(tray_.doubleClickCommand(menu), command);
    EXPECT_EQ(tray_.defaultItemPosition(menu), bold);
  }
}

}  // namespace
}  // namespace pw
