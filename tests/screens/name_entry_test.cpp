// The name entry keyboard.
#include <gtest/gtest.h>

#include <string>

#include "assets/resource_ids.h"
#include "platform/platform.h"
#include "screens/name_entry_view.h"
#include "tests/screens/screen_steps.h"

namespace {

using namespace screentest;

std::string Typed() { return ce::ToUtf8(ViewAt<CNameEntryView>(kViewNameEntry)->text); }
std::string UserName() { return ce::ToUtf8(Settings()->userName); }

void Type(ScreenRun& run, const std::string& keys) {
  for (char c : keys) run.Press(names::Key(c));
}

TEST(NameEntry, EightCharactersAtMostThenOkStoresThem) {
  ScreenRun run;
  run.ToMainMenu();
  run.Press(menu::kName);
  run.ExpectView(kViewNameEntry);
  Type(run, "DUCKHUNT");
  run.Then([] { Sounds().clear(); });
  run.Press(names::Key('X'));  // the ninth: only the click
  run.Then([] {
    EXPECT_EQ(Typed(), "DUCKHUNT");
    EXPECT_EQ(Sounds(), std::vector<int>{kSoundClick});
  });
  run.Press(names::kDelete);
  run.Press(names::kZero);
  run.Then([] { EXPECT_EQ(Typed(), "DUCKHUN0"); });
  run.Press(names::kOk);
  run.ExpectView(kViewMainMenu);
  run.Then([] {
    EXPECT_EQ(UserName(), "DUCKHUN0");
    EXPECT_EQ(Views()->historyCount, 0);  // the way back was taken, nothing left over
  });
  run.Close();
  run.Run();
}

TEST(NameEntry, SpaceIsStoredAsAndDeletingTheLastLeavesABlank) {
  ScreenRun run;
  run.ToMainMenu();
  run.Press(menu::kName);
  run.Press(names::Key('A'));
  run.Press(names::kSpace);
  run.Press(names::Key('1'));
  run.Then([] { EXPECT_EQ(Typed(), "Aa1"); });
  run.Press(names::kDelete);
  run.Press(names::kDelete);
  run.Press(names::kDelete);
  run.Then([] { EXPECT_EQ(Typed(), "a"); });  // shown as a blank
  // Delete on the empty field: only the click.
  run.Then([] { Sounds().clear(); });
  run.Press(names::kDelete);
  run.Then([] {
    EXPECT_EQ(Typed(), "a");
    EXPECT_EQ(Sounds(), std::vector<int>{kSoundClick});
  });
  run.Press(names::kOk);
  run.Then([] { EXPECT_EQ(UserName(), "a"); });
  run.Close();
  run.Run();
}

TEST(NameEntry, OkOnTheEmptyFieldAndCancelKeepTheOldName) {
  ScreenRun run;
  run.ToMainMenu();
  run.Press(menu::kName);
  run.Press(names::kOk);
  run.ExpectView(kViewMainMenu);
  run.Then([] { EXPECT_EQ(UserName(), "NONAME"); });
  run.Wait(1000);
  run.Press(menu::kName);
  Type(run, "BOB");
  run.Press(names::kCancel);
  run.ExpectView(kViewMainMenu);
  run.Then([] { EXPECT_EQ(UserName(), "NONAME"); });
  run.Close();
  run.Run();
}

TEST(NameEntry, ManyVisitsKeepTheWayBackRight) {
  ScreenRun run;
  run.ToMainMenu();
  for (int i = 0; i < 12; ++i) {
    run.Press(menu::kName);
    run.Press(names::kOk);
    run.Wait(800);
  }
  run.Press(menu::kOptions);
  run.Press(options::kOk);
  run.ExpectView(kViewMainMenu);
  run.Close();
  run.Run();
}

}  // namespace
