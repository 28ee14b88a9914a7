// The application's list of animated sprites (all with key 0). On each pass
// of the dispatcher every sprite whose period has elapsed moves on a frame
// and the scene redraws. The list never owns its sprites.
#pragma once

#include "graphics/sorted_list.h"

class CAnimatedSprite;
class CSpriteScene;

class CAnimationList : public CSortedList {
 public:
  // The list becomes the one that the scene's AddAnimated fills.
  CAnimationList();
  ~CAnimationList() override;

  void SetTarget(CSpriteScene* scene) { target = scene; }
  // Ticks every sprite in list order, invalidates those that changed frame
  // in the target scene and redraws it when any did. Returns how many changed.
  int Update();

  CSpriteScene* target = nullptr;
};
