#include "graphics/image.h"

#include "graphics/picture.h"

CImage::CImage(int id, int width, int height) { Load(id, width, height); }

CImage::~CImage() { Release(); }

void CImage::Load(int id, int width, int height) {
  Release();
  picture = new CPicture;
  picture->Init();
  picture->Load(id, width, height);
}

void CImage::Release() {
  if (picture == nullptr) return;
  picture->Release();
  delete picture;
  picture = nullptr;
}
