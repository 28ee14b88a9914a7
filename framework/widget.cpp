#include "framework/widget.h"

#include "framework/frame_set.h"

CWidget::~CWidget() {
  if (frameSet != nullptr) ReleaseImages();
  sprite.Clear();
}

void CWidget::ReleaseImages() {
  delete frameSet;
  frameSet = nullptr;
}
