#include "graphics/sprite.h"

#include "graphics/image.h"
#include "graphics/picture.h"

CSprite::CSprite(CImage* image, int x, int y, int saveUnder, int keyed, int blend, int keyColor,
                 void*) {
  hasSaveUnder = saveUnder != 0 ? 1 : 0;
  Set(image, x, y, saveUnder, keyed, blend, keyColor);
}

CSprite::~CSprite() { FreeSaveUnder(); }

int CSprite::Set(CImage* newImage, int newX, int newY, int withSaveUnder, int newKeyed,
                 int newBlend, int newKeyColor) {
  image = newImage;
  return SetPicture(newImage != nullptr ? newImage->picture : nullptr, newX, newY, withSaveUnder,
                    newKeyed, newBlend, newKeyColor);
}

int CSprite::SetPicture(CPicture* newPicture, int newX, int newY, int withSaveUnder, int newKeyed,
                        int newBlend, int newKeyColor) {
  x = newX;
  y = newY;
  if (newPicture == nullptr || newPicture->surface == nullptr) {
    Clear();
    return 0;
  }
  picture = newPicture;
  width = picture->width;
  height = picture->height;
  keyed = newKeyed != 0 ? 1 : 0;
  blend = newBlend != 0 ? 1 : 0;
  // 0xFFFF stands for "the picture's own top-left pixel".
  keyColor = static_cast<std::uint16_t>(newKeyColor);
  if (keyColor == 0xFFFF && width > 0 && height > 0) keyColor = picture->Pixel(0, 0);
  if (withSaveUnder != 0) {
    AllocSaveUnder();
    hasSaveUnder = 1;
  } else {
    // A sprite that stops moving gives its old save-under back.
    FreeSaveUnder();
    hasSaveUnder = 0;
  }
  return 1;
}

void CSprite::FreeSaveUnder() {
  if (saveUnder == nullptr) return;
  saveUnder->Release();
  delete saveUnder;
  saveUnder = nullptr;
}

void CSprite::AllocSaveUnder() {
  FreeSaveUnder();
  saveUnder = new CPicture;
  saveUnder->Init();
  saveUnder->Create(width, height);
}

void CSprite::Clear() {
  FreeSaveUnder();
  hasSaveUnder = 0;
  picture = nullptr;
}
