// reedshot --play-sound, headless: the captured file holds the sound,
// mixed by the engine's rule, and the same run gives the same bytes.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "assets/resource_ids.h"
#include "sound/sound_engine.h"
#include "sound/wave_resource.h"
#include "tests/support/run_program.h"

namespace {

using testsupport::RunProgram;

std::string Capture(const std::string& dir, int id, const std::string& name) {
  std::string path = dir + "/" + name;
  auto r = RunProgram(REEDSHOT_BINARY,
                      {"--headless", "--play-sound", std::to_string(id), "--audio-out", path});
  EXPECT_EQ(r.status, 0) << r.err;
  std::string bytes = testsupport::ReadFile(path);
  std::remove(path.c_str());
  return bytes;
}

TEST(PlaySoundTest, CaptureHoldsTheSoundAtTheEffectVolume) {
  std::string dir = testsupport::MakeTempDir("sound");
  for (int id : {kSoundClick, kSoundReload}) {  // 22050 Hz, and 11025 Hz (each sample twice)
    SampleDescription sound;
    ASSERT_TRUE(LoadWaveResource(id, &sound)) << id;
    int repeat = static_cast<int>(22050 / sound.sampleRate);
    std::string expected;
    for (ce::DWORD i = 0; i < sound.length; ++i) {
      int v = ((static_cast<int>(sound.data[i]) - 128) * 64) >> 7;  // volume 64, master 64
      expected.append(2 * repeat, static_cast<char>(v + 128));      // stereo
    }
    std::string wav = Capture(dir, id, "a.wav");
    ASSERT_GT(wav.size(), 44u + expected.size());
    EXPECT_EQ(wav.substr(0, 4), "RIFF");
    size_t at = wav.find(expected, 44);
    ASSERT_NE(at, std::string::npos) << id;
    // Nothing but silence around it, and the file ends after it has played.
    EXPECT_GE(wav.find_first_not_of('\x80', 44), at);
    EXPECT_EQ(wav.find_first_not_of('\x80', at + expected.size()), std::string::npos);
    EXPECT_LT(wav.size() - (at + expected.size()), 22050u * 2);
    EXPECT_EQ(Capture(dir, id, "b.wav"), wav) << id;
  }
}

TEST(PlaySoundTest, UnknownSoundOrNoDeviceFails) {
  auto missing = RunProgram(REEDSHOT_BINARY, {"--headless", "--play-sound", "9"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("no playable sound 9; the sounds are 535, 537-538, 540,"),
            std::string::npos)
      << missing.err;
  EXPECT_NE(missing.err.find(", 578-579\n"), std::string::npos) << missing.err;
  auto muted = RunProgram(REEDSHOT_BINARY,
                          {"--headless", "--mute", "--play-sound", std::to_string(kSoundClick)});
  EXPECT_EQ(muted.status, 1);
}

// Everything but the sound section, with the ticks moved back by `ms`.
std::string WithoutSound(std::string out, long ms = 0) {
  for (size_t at; (at = out.find(",\"sound\":{")) != std::string::npos;)
    out.erase(at, out.find('}', at) + 1 - at);
  const std::string tick = "\"tick\":";
  for (size_t at = 0; (at = out.find(tick, at)) != std::string::npos;) {
    at += tick.size();
    size_t end = out.find(',', at);
    out.replace(at, end - at, std::to_string(std::stol(out.substr(at, end - at)) - ms));
  }
  return out;
}

TEST(PlaySoundTest, SoundDoesNotChangeTheRunsTiming) {
  std::string dir = testsupport::MakeTempDir("sound");
  std::string script =
      "wait 2500\nstate\ntap 120 160\nwait 700\nstate\ntap 60 200\nwait 3000\nstate\n";
  auto muted = RunProgram(REEDSHOT_BINARY, {"--script", "-", "--data-dir", dir, "--mute"}, script);
  std::string dir2 = testsupport::MakeTempDir("sound");
  auto loud =
      RunProgram(REEDSHOT_BINARY,
                 {"--script", "-", "--data-dir", dir2, "--audio-out", dir2 + "/a.wav"}, script);
  ASSERT_EQ(muted.status, 0) << muted.err;
  ASSERT_EQ(loud.status, 0) << loud.err;
  // Opening the wave device waits 100 ms; from then on the runs keep step.
  EXPECT_EQ(WithoutSound(loud.out, 100), WithoutSound(muted.out));
  EXPECT_GT(testsupport::ReadFile(dir2 + "/a.wav").size(), 44u + 6000 * 44);
}

TEST(PlaySoundTest, StateLineCountsThePlayingSounds) {
  std::string dir = testsupport::MakeTempDir("sound");
  auto r = RunProgram(REEDSHOT_BINARY, {"--script", "-", "--data-dir", dir, "--mute"},
                      "wait 100\nstate\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\"sound\":{\"playing\":0}"), std::string::npos) << r.out;
}

}  // namespace
