// The owning handle of a picture decoded from a PCT resource.
#pragma once

class CPicture;

class CImage {
 public:
  CImage(int id, int width, int height);
  ~CImage();
  CImage(const CImage&) = delete;
  CImage& operator=(const CImage&) = delete;

  // Replaces the held picture with PCT resource `id` at the given size.
  void Load(int id, int width, int height);
  void Release();

  CPicture* picture = nullptr;  // owned; null once released
};
