// Small drawing and ownership helpers that the screens share.
#pragma once

class CImage;
class CEditField;
class CPicture;
class CPictureFont;
class CSprite;
class CTileBackground;

// Draws PCT picture `id` once into the frame at (x, y), opaque, through a
// temporary sprite; nothing stays on the scene.
void DrawPictureOnce(CTileBackground* scene, int id, int width, int height, int x, int y);

// Takes the sprite off the scene, clears and deletes it; null is ignored.
void DeleteSprite(CTileBackground* scene, CSprite*& sprite);
// Releases and deletes the image; null is ignored.
void DeleteImage(CImage*& image);

// A picture of its own decoded from PCT resource `id`.
CPicture* LoadPicture(int id, int width, int height);
// Releases and deletes the picture; null is ignored.
void DeletePicture(CPicture*& picture);

// The screens' font: kPictureScreenFont, glyphs 18 wide, from the character 0.
CPictureFont* NewScreenFont();
// Releases the font's picture and deletes it; null is ignored.
void DeleteFont(CPictureFont*& font);
// Takes the field's sprite off the scene, clears and deletes the field; null
// is ignored.
void DeleteEditField(CTileBackground* scene, CEditField*& field);
