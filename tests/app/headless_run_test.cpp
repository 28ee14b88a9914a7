// The real program, run headless from scripts.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "tests/support/run_program.h"

namespace {

using testsupport::RunProgram;

std::string ScriptFile(const std::string& dir, const std::string& text) {
  std::string path = dir + "/script.txt";
  std::ofstream(path) << text;
  return path;
}

TEST(HeadlessRunTest, ScriptPrintsStateAndTakesScreenshots) {
  const testsupport::TempFolder folder("e2e");
  const std::string dir = folder.path();
  std::string script = ScriptFile(dir, "state\nwait 1000\ntap 120 160\nstate\nshot first\n");
  auto r = RunProgram(REEDSHOT_BINARY,
                      {"--script", script, "--screenshots", dir, "--data-dir", dir, "--mute"});
  ASSERT_EQ(r.status, 0) << r.err;
  auto lines = r.lines();
  ASSERT_EQ(lines.size(), 2u) << r.out;
  for (const auto& line : lines) {
    EXPECT_EQ(line.front(), '{');
    EXPECT_EQ(line.back(), '}');
    for (const char* key :
         {"\"tick\":", "\"view\":", "\"next\":", "\"previous\":", "\"history\":[", "\"scroll\":["})
      EXPECT_NE(line.find(key), std::string::npos) << key << " in " << line;
  }
  // Virtual time: 1000 ms of waiting and the tap's timer message.
  EXPECT_NE(lines[0].find("\"tick\":100000"), std::string::npos) << lines[0];
  EXPECT_NE(lines[1].find("\"tick\":101010"), std::string::npos) << lines[1];
  std::string png = testsupport::ReadFile(dir + "/first.png");
  ASSERT_GT(png.size(), 24u);
  EXPECT_EQ(png.substr(1, 3), "PNG");
  // Landscape: 320 wide and 240 high.
  auto be32 = [&](size_t at) {
    return (static_cast<unsigned char>(png[at]) << 24) |
           (static_cast<unsigned char>(png[at + 1]) << 16) |
           (static_cast<unsigned char>(png[at + 2]) << 8) | static_cast<unsigned char>(png[at + 3]);
  };
  EXPECT_EQ(be32(16), 320);
  EXPECT_EQ(be32(20), 240);
}

TEST(HeadlessRunTest, StandardInputIsReadAsItArrives) {
  const testsupport::TempFolder folder("e2e");
  const std::string dir = folder.path();
  auto r = RunProgram(REEDSHOT_BINARY, {"--script", "-", "--data-dir", dir, "--mute"},
                      "wait 20\nstate\nquit\nstate\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.lines().size(), 1u);  // nothing after quit runs
}

TEST(HeadlessRunTest, ScriptErrorsNameTheLineAndRunNothing) {
  const testsupport::TempFolder folder("e2e");
  const std::string dir = folder.path();
  std::string script = ScriptFile(dir, "state\n\n# fine so far\ntap 400 1\nstate\n");
  auto r = RunProgram(REEDSHOT_BINARY, {"--script", script, "--data-dir", dir, "--mute"});
  EXPECT_EQ(r.status, 2);
  EXPECT_TRUE(r.out.empty());
  EXPECT_NE(r.err.find(":4:"), std::string::npos) << r.err;
}

// Shots go into the --screenshots folder, made when missing, and nowhere
// else: with no folder they are not written at all.
TEST(HeadlessRunTest, ShotsGoOnlyIntoTheScreenshotsFolder) {
  const testsupport::TempFolder folder("e2e");
  const std::string dir = folder.path();
  std::string name = "reedshot-stray-" + std::to_string(getpid());
  std::string script = ScriptFile(dir, "shot " + name + "\n");
  std::string shots = dir + "/made/for/shots";
  auto made = RunProgram(REEDSHOT_BINARY,
                         {"--script", script, "--screenshots", shots, "--data-dir", dir, "--mute"});
  EXPECT_EQ(made.status, 0) << made.err;
  EXPECT_TRUE(std::filesystem::is_regular_file(shots + "/" + name + ".png"));

  auto none = RunProgram(REEDSHOT_BINARY, {"--script", script, "--data-dir", dir, "--mute"});
  EXPECT_EQ(none.status, 0) << none.err;
  EXPECT_NE(none.err.find(name + ".png not written"), std::string::npos) << none.err;
  EXPECT_FALSE(std::filesystem::exists(name + ".png"));

  std::ofstream(dir + "/file") << "in the way";
  auto blocked = RunProgram(REEDSHOT_BINARY, {"--script", script, "--screenshots", dir + "/file",
                                              "--data-dir", dir, "--mute"});
  EXPECT_EQ(blocked.status, 1);
  EXPECT_NE(blocked.err.find("cannot create " + dir + "/file"), std::string::npos) << blocked.err;
}

// A mistake on the command line is one line naming it, status 2.
TEST(HeadlessRunTest, CommandLineMistakesHelpAndVersion) {
  for (auto [args, named] : std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{"--nope"}, "unknown option: --nope"},
           {{"--mute", "-x"}, "unknown option: -x"},
           {{"--scale", "zero"}, "--scale"},
           {{"--scale", "0"}, "--scale"},
           {{"--scale", "3x"}, "--scale"},
           {{"--scale", "17"}, "--scale"},
           {{"--script"}, "--script"},
           {{"--play-sound", "-1"}, "--play-sound"},
           {{"one.reedshot", "two.reedshot"}, "unknown option: two.reedshot"},
           {{"--data-dir"}, "--data-dir"}}) {
    auto r = RunProgram(REEDSHOT_BINARY, args);
    EXPECT_EQ(r.status, 2) << named;
    EXPECT_TRUE(r.out.empty());
    EXPECT_EQ(r.err.find(named), 10u) << r.err;  // after "reedshot: "
    EXPECT_NE(r.err.find("see reedshot --help\n"), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  }
  auto help = RunProgram(REEDSHOT_BINARY, {"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--headless"), std::string::npos);
  ASSERT_FALSE(help.out.empty());
  EXPECT_EQ(help.out.back(), '\n');
  auto version = RunProgram(REEDSHOT_BINARY, {"--version"});
  EXPECT_EQ(version.status, 0);
  ASSERT_EQ(version.lines().size(), 2u) << version.out;
  EXPECT_EQ(version.lines()[0].rfind("reedshot ", 0), 0u);
  EXPECT_EQ(version.lines()[1].rfind("SDL 2.", 0), 0u) << version.out;
  EXPECT_NE(version.lines()[1].find(", SQLite 3."), std::string::npos) << version.out;
}

// The contact sheet and a recording make the folder they go into, and one
// that cannot be written says the system's reason.
TEST(HeadlessRunTest, OutputsMakeTheirFoldersAndSayWhyTheyCannotBeWritten) {
  testsupport::TempFolder dir("outputs");
  const std::string script = ScriptFile(dir.path(), "state\n");
  auto sheet = RunProgram(REEDSHOT_BINARY, {"--contact-sheet", dir.path() + "/a/b/sheet.png"});
  EXPECT_EQ(sheet.status, 0) << sheet.err;
  EXPECT_EQ(testsupport::ReadFile(dir.path() + "/a/b/sheet.png").substr(1, 3), "PNG");
  auto record =
      RunProgram(REEDSHOT_BINARY, {"--script", script, "--mute", "--data-dir", dir.path() + "/data",
                                   "--record", dir.path() + "/c/r.rec"});
  EXPECT_EQ(record.status, 0) << record.err;
  EXPECT_EQ(testsupport::ReadFile(dir.path() + "/c/r.rec").rfind("reedshot-recording", 0), 0u);

  // A folder where the file should be.
  mkdir((dir.path() + "/taken").c_str(), 0755);
  auto blocked = RunProgram(REEDSHOT_BINARY, {"--contact-sheet", dir.path() + "/taken"});
  EXPECT_EQ(blocked.status, 1);
  EXPECT_NE(blocked.err.find("taken: Is a directory"), std::string::npos) << blocked.err;
  blocked = RunProgram(REEDSHOT_BINARY, {"--script", script, "--mute", "--data-dir",
                                         dir.path() + "/data", "--record", dir.path() + "/taken"});
  // The recording takes its name at the end of the run, which then fails.
  EXPECT_EQ(blocked.status, 1);
  EXPECT_NE(blocked.err.find("cannot write the recording: Is a directory"), std::string::npos)
      << blocked.err;
}

// What is not a script or a recording file is refused with status 2, and
// nothing the program reads makes it hang: a folder, an endless device, a
// pipe in the data file's place.
TEST(HeadlessRunTest, WhatIsNotAFileIsRefusedAndNothingHangs) {
  const testsupport::TempFolder folder("e2e");
  const std::string dir = folder.path();
  // Bounded by `timeout`: a hang fails with status 124.
  auto run = [&](const std::vector<std::string>& args) {
    std::vector<std::string> all{"60", REEDSHOT_BINARY, "--data-dir", dir + "/data", "--mute"};
    all.insert(all.end(), args.begin(), args.end());
    return RunProgram("/usr/bin/timeout", all);
  };
  for (const char* option : {"--script", "--replay"}) {
    auto folder = run({option, dir});
    EXPECT_EQ(folder.status, 2) << option << folder.err;
    EXPECT_NE(folder.err.find("a folder"), std::string::npos) << folder.err;
    auto endless = run({option, "/dev/zero"});
    EXPECT_EQ(endless.status, 2) << option << endless.err;
  }
  // A script of one endless line is refused at its first line.
  auto piped = RunProgram(
      "/bin/sh", {"-c", std::string("head -c 100000 /dev/zero | timeout 60 ") + REEDSHOT_BINARY +
                            " --mute --data-dir " + dir + "/data --script -"});
  EXPECT_EQ(piped.status, 2) << piped.err;
  EXPECT_NE(piped.err.find("line 1: a line longer than"), std::string::npos) << piped.err;

  std::string data = dir + "/fifo";
  mkdir(data.c_str(), 0755);
  ASSERT_EQ(mkfifo((data + "/reedshot.db").c_str(), 0644), 0);
  std::string script = ScriptFile(dir, "wait 100\nstate\n");
  auto fifo = RunProgram("/usr/bin/timeout",
                         {"60", REEDSHOT_BINARY, "--script", script, "--data-dir", data, "--mute"});
  EXPECT_EQ(fifo.status, 0) << fifo.err;
  EXPECT_EQ(fifo.lines().size(), 1u);
  EXPECT_NE(fifo.err.find("reedshot.db is not a regular file"), std::string::npos) << fifo.err;
}

}  // namespace
