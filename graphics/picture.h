// A picture: pixels and their size.
#pragma once

#include <cstdint>

class CSurface;

class CPicture {
 public:
  void Init();
  // Decodes PCT resource `id` at the given size into a fresh surface.
  void Load(int id, int width, int height);
  // A black picture of the given size (save-under pictures).
  void Create(int width, int height);
  // Destroys the surface; the owner deletes the picture right after.
  void Release();

  // Pixel (x, y); no bounds check.
  std::uint16_t Pixel(int x, int y) const;

  CSurface* surface = nullptr;  // owned
  std::uint16_t width = 0;
  std::uint16_t height = 0;
};
