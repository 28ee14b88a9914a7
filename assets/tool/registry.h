// The asset tool's registry: every picture and sound is made by a function
// registered under its resource id. Each source file of the tool registers
// its own group (play_*.cpp, screen_*.cpp, sound_*.cpp) from a static
// initialiser, so adding a picture means adding a function and one line.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "assets/tool/canvas.h"

namespace tool {

// Pixels in the frame buffer's orientation and format, ready to encode.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint16_t> rgb565;  // width * height, rows top-down
  bool keyed = false;                 // pixel 0 is the key colour
};

// How the drawn colours become RGB565 pixels.
enum class Mode {
  Opaque,  // every pixel is drawn over black
  Keyed,   // the top-left pixel is the key; coverage below half becomes the key
};

struct PictureContext;

// Makes the finished pixels of one picture (width x height in the frame
// buffer's orientation); most pictures use Drawn() below.
using PictureMaker = std::function<Pixels(const PictureContext&)>;

// Draws a picture in the player's orientation on a transparent canvas.
using DrawFunction = std::function<void(Canvas&)>;

// Makes 8-bit unsigned mono samples at the given rate; the tool adds the
// RIFF header and eight samples of silence (the player skips the last eight).
using SoundMaker = std::function<std::vector<std::uint8_t>(int rate)>;

struct PictureContext {
  int id = 0;
  int width = 0;       // frame-buffer width
  int height = 0;      // frame-buffer height
  bool turned = true;  // drawn for the sideways player and stored turned
};

void RegisterPicture(int id, PictureMaker maker);
void RegisterSound(int id, SoundMaker maker);
const PictureMaker* FindPicture(int id);
const SoundMaker* FindSound(int id);

// The usual maker: draw in the player's orientation, then convert.
PictureMaker Drawn(DrawFunction draw, Mode mode);

// Registers `count` pictures from `firstId`, each drawn by draw(canvas, index).
void RegisterFrames(int firstId, int count, Mode mode,
                    std::function<void(Canvas&, int index)> draw);

// The manifest's size and orientation of each picture, set by the tool's
// main before anything is made.
void SetPictureContext(const PictureContext& context);
const PictureContext* FindPictureContext(int id);

// Makes a picture of another id (for pictures built from others).
Pixels MakePicture(int id);

}  // namespace tool
