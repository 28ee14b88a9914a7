#include "assets/tool/registry.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "assets/tool/convert.h"

namespace tool {

namespace {

// Function-local statics: registration runs from other files' static
// initialisers, whose order is not fixed.
std::map<int, PictureMaker>& Pictures() {
  static std::map<int, PictureMaker> pictures;
  return pictures;
}

std::map<int, SoundMaker>& Sounds() {
  static std::map<int, SoundMaker> sounds;
  return sounds;
}

std::map<int, PictureContext>& Contexts() {
  static std::map<int, PictureContext> contexts;
  return contexts;
}

}  // namespace

void RegisterPicture(int id, PictureMaker maker) {
  if (!Pictures().emplace(id, std::move(maker)).second) {
    std::fprintf(stderr, "asset tool: picture %d registered twice\n", id);
    std::abort();
  }
}

void RegisterSound(int id, SoundMaker maker) {
  if (!Sounds().emplace(id, std::move(maker)).second) {
    std::fprintf(stderr, "asset tool: sound %d registered twice\n", id);
    std::abort();
  }
}

const PictureMaker* FindPicture(int id) {
  auto it = Pictures().find(id);
  return it == Pictures().end() ? nullptr : &it->second;
}

const SoundMaker* FindSound(int id) {
  auto it = Sounds().find(id);
  return it == Sounds().end() ? nullptr : &it->second;
}

void SetPictureContext(const PictureContext& context) { Contexts()[context.id] = context; }

const PictureContext* FindPictureContext(int id) {
  auto it = Contexts().find(id);
  return it == Contexts().end() ? nullptr : &it->second;
}

PictureMaker Drawn(DrawFunction draw, Mode mode) {
  return [draw = std::move(draw), mode](const PictureContext& c) {
    int pw = c.turned ? c.height : c.width;
    int ph = c.turned ? c.width : c.height;
    Canvas canvas(pw, ph);
    draw(canvas);
    return Convert(canvas, c.width, c.height, c.turned, mode);
  };
}

void RegisterFrames(int firstId, int count, Mode mode,
                    std::function<void(Canvas&, int index)> draw) {
  for (int i = 0; i < count; ++i)
    RegisterPicture(firstId + i, Drawn([draw, i](Canvas& c) { draw(c, i); }, mode));
}

Pixels MakePicture(int id) {
  const PictureContext* context = FindPictureContext(id);
  const PictureMaker* maker = FindPicture(id);
  if (!context || !maker) {
    std::fprintf(stderr, "asset tool: picture %d is not in the manifest or has no maker\n", id);
    std::exit(1);
  }
  return (*maker)(*context);
}

}  // namespace tool
