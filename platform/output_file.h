// The one way the program writes a file of its own: pictures, sounds,
// recordings, exports, summaries. A new file is made beside the name,
// exclusively and without following links, filled, synced and renamed over
// the name. Nothing is ever written through what the name is now: a link
// there is replaced by the file, and whatever it pointed at stays as it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace ce {

class OutputFile {
 public:
  OutputFile() = default;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  // An output dropped before Commit() leaves the name as it was.
  ~OutputFile();

  // Makes the new file beside `path`; false when it cannot (Error() says why).
  bool Open(const std::string& path);
  bool Write(const void* data, std::size_t size);
  // Writes at an offset of the new file (a header filled in at the end).
  bool WriteAt(std::uint64_t offset, const void* data, std::size_t size);
  // Syncs the new file, renames it over the name and syncs the folder.
  bool Commit();

  bool IsOpen() const { return fd_ >= 0; }
  // The system's reason for the last failure ("No such file or directory").
  const std::string& Error() const { return error_; }

 private:
  bool Fail();
  void Discard();

  int fd_ = -1;
  std::uint64_t end_ = 0;  // where Write() goes on
  std::string path_;
  std::string temp_;
  std::string error_;
};

// The whole file at once; `error`, when given, receives the reason of a failure.
bool WriteFileReplacing(const std::string& path, const void* data, std::size_t size,
                        std::string* error = nullptr);

}  // namespace ce
