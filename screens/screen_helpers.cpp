#include "screens/screen_helpers.h"

#include "assets/resource_ids.h"
#include "graphics/edit_field.h"
#include "graphics/image.h"
#include "graphics/picture.h"
#include "graphics/picture_font.h"
#include "graphics/sprite.h"
#include "graphics/tile_background.h"

void DrawPictureOnce(CTileBackground* scene, int id, int width, int height, int x, int y) {
  CImage image(id, width, height);
  CSprite sprite(&image, x, y, 0, 0, 0, -1);
  scene->DrawSprite(&sprite);
  sprite.Clear();
}

void DeleteSprite(CTileBackground* scene, CSprite*& sprite) {
  if (sprite == nullptr) return;
  scene->Remove(sprite);
  sprite->Clear();
  delete sprite;
  sprite = nullptr;
}

void DeleteImage(CImage*& image) {
  if (image == nullptr) return;
  image->Release();
  delete image;
  image = nullptr;
}

CPicture* LoadPicture(int id, int width, int height) {
  CPicture* picture = new CPicture;
  picture->Init();
  picture->Load(id, width, height);
  return picture;
}

void DeletePicture(CPicture*& picture) {
  if (picture == nullptr) return;
  picture->Release();
  delete picture;
  picture = nullptr;
}

CPictureFont* NewScreenFont() {
  CPictureFont* font = new CPictureFont;
  font->Setup(kPictureScreenFont, 18, 554, '0');
  return font;
}

void DeleteFont(CPictureFont*& font) {
  if (font == nullptr) return;
  font->ReleasePicture();
  delete font;
  font = nullptr;
}

void DeleteEditField(CTileBackground* scene, CEditField*& field) {
  if (field == nullptr) return;
  if (field->sprite != nullptr) scene->Remove(field->sprite);
  field->Clear();
  delete field;
  field = nullptr;
}
