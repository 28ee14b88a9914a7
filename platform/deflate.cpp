#include "platform/deflate.h"

#include <zlib.h>

namespace ce {

std::vector<std::uint8_t> Deflate(const std::uint8_t* data, std::size_t size) {
  uLongf bound = compressBound(static_cast<uLong>(size));
  std::vector<std::uint8_t> out(bound);
  if (compress2(out.data(), &bound, data, static_cast<uLong>(size), Z_BEST_COMPRESSION) != Z_OK)
    return {};
  out.resize(bound);
  return out;
}

bool Inflate(const std::uint8_t* data, std::size_t size, std::size_t limit,
             std::vector<std::uint8_t>* out) {
  out->clear();
  z_stream stream{};
  if (inflateInit(&stream) != Z_OK) return false;
  stream.next_in = const_cast<Bytef*>(data);
  stream.avail_in = static_cast<uInt>(size);
  std::uint8_t chunk[4096];
  int rc = Z_OK;
  while (rc == Z_OK) {
    stream.next_out = chunk;
    stream.avail_out = sizeof chunk;
    rc = inflate(&stream, Z_NO_FLUSH);
    std::size_t got = sizeof chunk - stream.avail_out;
    if (out->size() + got > limit)
      rc = Z_MEM_ERROR;
    else
      out->insert(out->end(), chunk, chunk + got);
    // Input used up before the stream's end: it was cut short.
    if (rc == Z_BUF_ERROR || (rc == Z_OK && stream.avail_in == 0 && got == 0)) rc = Z_DATA_ERROR;
  }
  const bool whole = rc == Z_STREAM_END && stream.avail_in == 0;
  inflateEnd(&stream);
  if (!whole) out->clear();
  return whole;
}

}  // namespace ce
