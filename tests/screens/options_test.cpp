// The options screen: live changes, OK kept over a restart, Cancel puts
// everything back.
#include <gtest/gtest.h>

#include "assets/resource_ids.h"
#include "screens/options_view.h"
#include "screens/widgets/slider.h"
#include "sound/sound_player.h"
#include "tests/screens/screen_steps.h"

namespace {

using namespace screentest;

COptionsView* Options() { return ViewAt<COptionsView>(kViewOptions); }

// The sound player's volumes follow the settings.
void ExpectPlayerVolumes(int music, int sound) {
  SoundPlayer* player = Settings()->soundPlayer;
  ASSERT_NE(player, nullptr);
  EXPECT_EQ(player->musicVolume, music);
  EXPECT_EQ(player->soundVolume, sound);
}

int Count(int id) {
  int n = 0;
  for (int s : Sounds()) n += s == id;
  return n;
}

TEST(Options, LiveChangesThenCancelRestoresEverything) {
  ScreenRun run;
  run.ToMainMenu();
  run.Press(menu::kOptions);
  run.ExpectView(kViewOptions);
  run.Then([] {
    EXPECT_EQ(Settings()->musicVolume, 64);
    EXPECT_EQ(Options()->musicSlider->value, 64);
    Sounds().clear();
  });
  // The first pen-down that no button, box or the music slider takes is
  // dropped: the sound slider never sees it.
  run.Click(options::kSoundX, 200);
  run.Then([] {
    EXPECT_EQ(Settings()->soundVolume, 64);
    EXPECT_EQ(Count(kSoundVolumePreview), 0);
  });
  // The second one pages the sound down by 6 and plays the sample.
  run.Click(options::kSoundX, 200);
  run.Then([] {
    EXPECT_EQ(Settings()->soundVolume, 58);
    ExpectPlayerVolumes(64, 58);
    EXPECT_EQ(Count(kSoundVolumePreview), 1);
  });
  // A short tap below the thumb (down, one tick, up) pages one or two steps,
  // not all the way to the pen: the pen-up goes ahead of the next tick.
  run.StepDriver::Tap(options::kSoundX, 200);
  run.Then([] {
    int sound = Settings()->soundVolume;
    EXPECT_TRUE(sound == 52 || sound == 46) << sound;
  });
  // Dragging the music thumb: every move restarts the menu music.
  run.Then([] { Sounds().clear(); });
  // On the thumb (at 64 it spans y 42 to 77) where the value is 64 already.
  run.PenDown(options::kMusicX, 60);
  run.Wait(10);
  for (int y : {80, 100, 120}) {
    run.PenMove(options::kMusicX, y);
    run.Wait(10);
  }
  run.PenUp(options::kMusicX, 120);
  run.Wait(10);
  run.Then([] {
    EXPECT_EQ(Settings()->musicVolume, (184 - (120 + 17) + 21) / 2);
    ExpectPlayerVolumes(Settings()->musicVolume, Settings()->soundVolume);
    EXPECT_EQ(Count(kSoundMenuMusic), 3);
  });
  run.Press(options::kAnims);
  run.Press(options::kEffects);
  run.Then([] {
    EXPECT_EQ(Settings()->menuAnimation, 0);
    EXPECT_EQ(Settings()->specialEffects, 0);
    Sounds().clear();
  });
  run.Press(options::kCancel);
  run.ExpectView(kViewMainMenu);
  run.Then([] {
    EXPECT_EQ(Settings()->musicVolume, 64);
    EXPECT_EQ(Settings()->soundVolume, 64);
    EXPECT_EQ(Settings()->menuAnimation, 1);
    EXPECT_EQ(Settings()->specialEffects, 1);
    ExpectPlayerVolumes(64, 64);
    EXPECT_EQ(Sounds(), std::vector<int>{kSoundClick});  // the music goes on, not restarted
  });
  run.Close();
  run.Run();
}

TEST(Options, OkKeepsTheChangesOverARestart) {
  std::string dir = testsupport::MakeTempDir("options");
  {
    ScreenRun run(dir);
    run.ToMainMenu();
    run.Press(menu::kOptions);
    run.Press(options::kAnims);  // a box takes the first pen-down
    run.Click(options::kMusicX, 200);
    run.Click(options::kMusicX, 200);
    run.Press(options::kOk);
    run.ExpectView(kViewMainMenu);
    run.Then([] {
      EXPECT_EQ(Settings()->menuAnimation, 0);
      EXPECT_EQ(Settings()->musicVolume, 52);
    });
    run.Close();
    run.Run();
  }
  {
    ScreenRun run(dir);
    run.Wait(100);
    run.Then([] {
      EXPECT_EQ(Settings()->menuAnimation, 0);
      EXPECT_EQ(Settings()->musicVolume, 52);
      ExpectPlayerVolumes(52, 64);
    });
    run.Close();
    run.Run();
  }
}

}  // namespace
