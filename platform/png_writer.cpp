#include "platform/png_writer.h"

#include <errno.h>
#include <fcntl.h>
#include <unistd.h>
#include <zlib.h>

#include <atomic>
#include <string>

namespace ce {

namespace {

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v >> 24));
  out.push_back(static_cast<std::uint8_t>(v >> 16));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
  out.push_back(static_cast<std::uint8_t>(v));
}

void Chunk(std::vector<std::uint8_t>& out, const char* type,
           const std::vector<std::uint8_t>& data) {
  Put32(out, static_cast<std::uint32_t>(data.size()));
  size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  uLong crc = crc32(0L, out.data() + start, static_cast<uInt>(out.size() - start));
  Put32(out, static_cast<std::uint32_t>(crc));
}

// Writes `bytes` into a new file beside `path` and renames it over the
// name. Nothing is ever written through what the name is now: a link there
// is replaced by the file, and whatever it pointed at stays as it was.
bool ReplaceFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  const size_t slash = path.rfind('/');
  // The folder, with its slash ("" for the current one), and the name.
  const std::string dir = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  const std::string name = path.substr(dir.size());
  static std::atomic<unsigned> counter{0};
  std::string temp;
  int fd = -1;
  for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
    temp = dir + "." + name + "." + std::to_string(getpid()) + "-" + std::to_string(counter++) +
           ".tmp";
    fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return false;
  }
  if (fd < 0) return false;
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  const bool written = close(fd) == 0 && done == bytes.size();
  if (written && rename(temp.c_str(), path.c_str()) == 0) return true;
  unlink(temp.c_str());
  return false;
}

}  // namespace

std::vector<std::uint8_t> EncodePng(int width, int height, const std::vector<std::uint8_t>& pixels,
                                    int channels) {
  const size_t rowBytes = static_cast<size_t>(width) * channels;
  std::vector<std::uint8_t> raw;
  raw.reserve(static_cast<size_t>(height) * (rowBytes + 1));
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);  // no filter
    const std::uint8_t* row = pixels.data() + static_cast<size_t>(y) * rowBytes;
    raw.insert(raw.end(), row, row + rowBytes);
  }
  uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
  std::vector<std::uint8_t> packed(packedSize);
  compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 6);
  packed.resize(packedSize);

  std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::uint8_t> header;
  Put32(header, static_cast<std::uint32_t>(width));
  Put32(header, static_cast<std::uint32_t>(height));
  const std::uint8_t colourType = channels == 4 ? 6 : 2;  // RGBA or RGB, 8 bits each
  header.insert(header.end(), {8, colourType, 0, 0, 0});
  Chunk(out, "IHDR", header);
  Chunk(out, "IDAT", packed);
  Chunk(out, "IEND", {});
  return out;
}

bool WritePng(const std::string& path, int width, int height,
              const std::vector<std::uint8_t>& pixels, int channels) {
  if (width <= 0 || height <= 0 || (channels != 3 && channels != 4) ||
      pixels.size() < static_cast<size_t>(width) * height * channels)
    return false;
  return ReplaceFile(path, EncodePng(width, height, pixels, channels));
}

}  // namespace ce
