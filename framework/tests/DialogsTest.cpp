#include "framework/Dialogs.h"

#include <gtest/gtest.h>

#include "tests/support/BoxWatcher.h"

TEST(MessageBoxes, PlainBoxHasTheTitleNoIconOneOkAndIsCentred) {
  BoxWatcher watcher;
  ShowMessage("Uninstall complete.");
  const auto seen = watcher.Seen();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].caption, ApplicationTitle());
  EXPECT_EQ(seen[0].text, "Uninstall complete.");
  EXPECT_EQ(seen[0].buttons, std::vector<std::string>{"OK"});
  EXPECT_FALSE(seen[0].hasIcon);
  const RECT& r = seen[0].rect;
  EXPECT_NEAR((r.left + r.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 2);
  EXPECT_NEAR((r.top + r.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 2);
}

TEST(MessageBoxes, YesNoAnswersYesOnEnterAndNoOnEscape) {
  BoxWatcher watcher;
  watcher.Answer(BoxWatcher::PressEnter);
  EXPECT_EQ(ShowMessageBox("Sure?", "Confirm", MsgIcon::Question, MsgButtons::YesNo),
            MsgResult::Yes);
  watcher.Answer(BoxWatcher::PressEscape);
  EXPECT_EQ(ShowMessageBox("Sure?", "Confirm", MsgIcon::Question, MsgButtons::YesNo),
            MsgResult::No);
  const auto seen = watcher.Seen();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].buttons, (std::vector<std::string>{"&Yes", "&No"}));
  EXPECT_TRUE(seen[0].hasIcon);
}

TEST(MessageBoxes, RetryIgnoreBoxOffersExactlyThoseTwoWithRetryAsDefault) {
  BoxWatcher watcher;
  watcher.Answer(BoxWatcher::PressEnter);
  watcher.Answer(IDIGNORE);
  EXPECT_EQ(ShowMessageBox("Cannot delete x", "Warning", MsgIcon::Warning, MsgButtons::RetryIgnore),
            MsgResult::Retry);
  EXPECT_EQ(ShowMessageBox("Cannot delete x", "Warning", MsgIcon::Warning, MsgButtons::RetryIgnore),
            MsgResult::Ignore);
  const auto seen = watcher.Seen();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].buttons, (std::vector<std::string>{"&Retry", "&Ignore"}));
  EXPECT_EQ(seen[0].caption, "Warning");
  EXPECT_TRUE(seen[0].hasIcon);
}
