#include "shell/SystemTray.h"

#include <gtest/gtest.h>

#include "support/Fakes.h"

namespace pw {
namespace {

// Logs every call as a letter (Add, Modify, Remove) with the record it carried.
class FakeTrayShell : public ITrayShell {
 public:
  bool Available() override { return available; }
  bool Add(const TrayRecord& r, unsigned f) override { return Log('A', r, f, addOk); }
  bool Modify(const TrayRecord& r, unsigned f) override { return Log('M', r, f, true); }
  bool Remove() override { return Log('R', {}, 0, true); }

  bool available = true;
  bool addOk = true;
  std::string kinds;
  std::vector<IconId> shownIcons;
  TrayRecord last;
  unsigned lastFlags = 0;

 private:
  bool Log(char kind, const TrayRecord& r, unsigned flags, bool result) {
    kinds += kind;
    if (flags & kTrayIcon)
      shownIcons.push_back(r.icon);
    last = r;
    lastFlags = flags;
    return result;
  }
};

class SystemTrayTest : public ::testing::Test {
 protected:
  // Moves the timers and the wall clock on together in 500 ms steps.
  void Run(int ms) {
    for (int i = 0; i < ms / 500; ++i) {
      realMs_ += 500;
      clock_.seconds = realMs_ / 1000;
      timers_.Advance(500);
    }
  }
  void Create(std::int64_t clockMs = 50'000) {
    realMs_ = clockMs;
    clock_.seconds = clockMs / 1000;
    ASSERT_TRUE(tray_.CreateTrayIcon("tip", 134, 129, false));
    shell_ = FakeTrayShell{};
  }

  FakeTrayShell shell_;
  test::FakeTimers timers_;
  test::FakeClock clock_;
  CSystemTray tray_{shell_, timers_, clock_};
  std::int64_t realMs_ = 0;
};

TEST_F(SystemTrayTest, CreationSetsTheFlagsByOutcome) {
  struct Case {
    bool available, addOk, hidden, result, enabled, isHidden, removed, pending;
    std::string calls;  // at creation, then after a tooltip and an icon change
  };
  const Case cases[] = {
      {true, true, false, true, true, false, false, false, "AMM"},
      {true, false, false, false, true, true, true, true, "A"},   // the add failed
      {false, true, false, false, false, true, true, false, ""},  // no notification area
      {true, true, true, true, true, true, true, false, ""},      // created hidden
  };
  for (const auto& c : cases) {
    FakeTrayShell shell;
    shell.available = c.available;
    shell.addOk = c.addOk;
    CSystemTray tray(shell, timers_, clock_);
    SCOPED_TRACE(testing::Message() << c.available << c.addOk << c.hidden);
    EXPECT_EQ(tray.CreateTrayIcon("Pagewarden", 134, 129, c.hidden), c.result);
    EXPECT_EQ(std::vector({tray.enabled(), tray.hidden(), tray.removed(), tray.pending()}),
              std::vector({c.enabled, c.isHidden, c.removed, c.pending}));
    EXPECT_EQ(tray.SetTipText("new"), c.enabled);
    EXPECT_EQ(tray.SetIconResource(139), c.enabled);
    EXPECT_EQ(tray.GetIconHandle(), c.enabled ? 139 : 0);
    EXPECT_EQ(shell.kinds, c.calls);
    tray.RemoveFromTray();
    EXPECT_FALSE(tray.pending());
  }
}

TEST_F(SystemTrayTest, TooltipIsCutToWholeCharactersWithin63Bytes) {
  Create();
  const std::string czech =
      "Příliš žluťoučký kůň úpěl ďábelské ódy. Náplň je vypotřebována z 42 %.";
  for (int pad = 0; pad < 4; ++pad) {  // moves two-byte characters across the cut
    const std::string text = (std::string(pad, 'x') + czech + czech).substr(0, 100);
    tray_.SetTipText(text);
    const std::string& tip = tray_.record().tip;
    SCOPED_TRACE(pad);
    EXPECT_GE(tip.size(), 62u);
    EXPECT_LE(tip.size(), 63u);
    EXPECT_EQ(text.compare(0, tip.size(), tip), 0);
    EXPECT_NE(static_cast<unsigned char>(text[tip.size()]) & 0xC0, 0x80u);
  }
  tray_.SetTipText(std::string(62, 'a') + "€");
  EXPECT_EQ(tray_.record().tip, std::string(62, 'a'));
  tray_.SetTipText(std::string(60, 'a') + "€");
  EXPECT_EQ(tray_.record().tip.size(), 63u);
}

TEST_F(SystemTrayTest, AnimationEndsAtFirstStepAfterMoreThanItsSeconds) {
  struct Case {
    int startMsIntoSecond, endsAfterMs;
    std::vector<IconId> shown;  // the frames, then the icon saved at the start
  };
  const Case cases[] = {
      {0, 3000, {138, 137, 138, 137, 138, 134}},
      {700, 2500, {138, 137, 138, 137, 134}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.startMsIntoSecond);
    Create(50'000 + c.startMsIntoSecond);
    tray_.LoadIconRange(137, 138);
    ASSERT_TRUE(tray_.StartAnimation(500, 2));
    Run(c.endsAfterMs - 500);
    EXPECT_TRUE(tray_.animating());
    Run(500);
    EXPECT_EQ(timers_.count(), 0u);
    EXPECT_EQ(shell_.shownIcons, c.shown);
  }
}

TEST_F(SystemTrayTest, NewAnimationRestoresTheIconFirstAndEndlessOneRunsUntilEnded) {
  Create();
  tray_.LoadIconRange(137, 138);
  tray_.StartAnimation(500, 2);
  Run(500);
  EXPECT_FALSE(tray_.LoadIconRange(135, 134));
  EXPECT_TRUE(tray_.LoadIconRange(134, 135));
  EXPECT_EQ(tray_.iconList(), (std::vector<IconId>{134, 0}));  // 135 has no picture
  ASSERT_TRUE(tray_.StartAnimation(250, -1));
  EXPECT_EQ(timers_.count(), 1u);
  EXPECT_EQ(timers_.PeriodOf(2), 250);
  Run(3600 * 1000);
  EXPECT_TRUE(tray_.animating());
  const auto& shown = shell_.shownIcons;
  EXPECT_EQ(std::vector(shown.begin(), shown.begin() + 4), (std::vector<IconId>{138, 134, 0, 134}));
  EXPECT_EQ(shown.size(), 2u + 4 * 3600);
  EXPECT_TRUE(tray_.EndAnimation());
  EXPECT_EQ(tray_.GetIconHandle(), 134);
  EXPECT_FALSE(tray_.EndAnimation());
}

TEST_F(SystemTrayTest, RemoveAndEnsureShownReAddTheCurrentRecord) {
  Create();
  EXPECT_TRUE(tray_.RemoveFromTray());
  EXPECT_TRUE(tray_.RemoveFromTray());  // already removed: the shell is not asked again
  tray_.SetIconResource(143);           // hidden now: only the record changes
  EXPECT_TRUE(tray_.EnsureShown());
  EXPECT_EQ(shell_.kinds, "RA");
  EXPECT_EQ(shell_.lastFlags, 7u);
  EXPECT_EQ(shell_.last.icon, 143);
  EXPECT_FALSE(tray_.hidden());
}

TEST_F(SystemTrayTest, OnlyAShownPendingIconComesBackWithANewPanel) {
  shell_.addOk = false;
  EXPECT_FALSE(tray_.CreateTrayIcon("tip", 134, 129, false));
  tray_.RestorePendingIcon();  // pending but hidden: stays away
  EXPECT_EQ(shell_.kinds, "A");

  shell_.addOk = true;
  EXPECT_TRUE(tray_.EnsureShown());
  tray_.RestorePendingIcon();
  EXPECT_EQ(shell_.kinds, "AAA");
  EXPECT_TRUE(tray_.pending());
  shell_.addOk = false;
  tray_.RestorePendingIcon();
  EXPECT_TRUE(tray_.hidden());
  EXPECT_FALSE(tray_.pending());
}

TEST_F(SystemTrayTest, DoubleClickAndBoldItemFollowTheDefaultItem) {
  // About, the web sub-menu, a separator, Settings, Details, Status, a separator, Exit.
  const std::vector<int> menu = {57664, 0, 0, 32781, 32772, 32773, 0, 57665};
  struct Case {
    int item;
    bool byPosition;
    std::optional<int> command, bold;
  };
  const Case cases[] = {
      {-1, true, std::nullopt, std::nullopt},  // the program's setting: nothing happens
      {5, true, 32773, 5},
      {1, true, std::nullopt, 1},  // a sub-menu sends no command
      {8, true, std::nullopt, std::nullopt},
      {32772, false, 32772, 4},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item);
    tray_.SetDefaultMenuItem(c.item, c.byPosition);
    EXPECT_EQ(tray_.DoubleClickCommand(menu), c.command);
    EXPECT_EQ(tray_.DefaultItemPosition(menu), c.bold);
  }
}

}  // namespace
}  // namespace pw
