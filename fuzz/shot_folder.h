// For the fuzz targets of the script and recording readers: a folder for
// screenshots inside a sandbox, and a check that the screenshots a reader
// accepted were written inside that folder and nowhere else.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "drivers/screenshot_name.h"

class ShotFolder {
 public:
  ShotFolder() {
    char pattern[] = "/tmp/reedshot-fuzz-XXXXXX";
    if (mkdtemp(pattern) == nullptr) std::abort();
    sandbox_ = pattern;
    folder_ = sandbox_ / "shots";
    std::filesystem::create_directory(folder_);
  }
  ~ShotFolder() { std::filesystem::remove_all(sandbox_); }
  ShotFolder(const ShotFolder&) = delete;
  ShotFolder& operator=(const ShotFolder&) = delete;

  // Writes the screenshot called name where the program would, a stand-in
  // for its picture.
  void Write(const std::string& name) {
    std::string path = drivers::ScreenshotPath(folder_.string(), name);
    if (path.empty()) std::abort();  // the reader accepted a name the writer refuses
    if (std::filesystem::path(path).parent_path() != folder_) std::abort();
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) std::abort();
    std::fclose(file);
  }

  // Everything written is a plain file right inside the folder; then the
  // folder is emptied for the next input.
  void CheckAndClear() {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(sandbox_)) {
      if (entry.path() == folder_) continue;
      if (entry.path().parent_path() != folder_ || !entry.is_regular_file()) std::abort();
    }
    for (const auto& entry : std::filesystem::directory_iterator(folder_))
      std::filesystem::remove(entry.path());
  }

 private:
  std::filesystem::path sandbox_;
  std::filesystem::path folder_;
};
