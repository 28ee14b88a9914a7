// View 8: one picture about the game over the greyed help screen, until
// the next tap.
#pragma once

#include "framework/view.h"

class CTileBackground;

class CAboutView : public CView {
 public:
  explicit CAboutView(CTileBackground* scene);

  void Enter() override;
  void Leave() override {}
  int HandleEvent(InputEvent* event) override;
};
