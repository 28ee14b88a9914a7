// The abstract stylus control of the screens: a picture on the scene, shown
// through an animated sprite whose frames say the control's state. Controls
// report what the player did by rewriting the event they were given.
#pragma once

#include <cstdint>

#include "framework/animated_sprite.h"
#include "framework/input_event.h"

class CFrameSet;

class CWidget {
 public:
  CWidget() = default;
  // Releases the frame set if it is still held, then clears the sprite.
  virtual ~CWidget();
  CWidget(const CWidget&) = delete;
  CWidget& operator=(const CWidget&) = delete;

  // 1 when the control took the event (which it may have rewritten).
  virtual std::uint8_t HandleEvent(InputEvent* event) = 0;
  // 1 when (x, y) lies on the control.
  virtual std::uint8_t HitTest(int x, int y) = 0;
  // Destroys the owned frame set; screens call it right before deleting.
  virtual void ReleaseImages();

  CAnimatedSprite sprite;         // its position is the control's top-left corner
  CFrameSet* frameSet = nullptr;  // owned; null when borrowed or released
  std::uint16_t id = 0;
  std::uint8_t visible = 0;  // 1: ShowWidget puts the sprite on the scene
};

// The closed rectangle test of the controls: both edges count, so a control
// of width w answers for w + 1 columns.
inline std::uint8_t InsideClosed(int x, int y, int left, int top, int width, int height) {
  return x >= left && x <= left + width && y >= top && y <= top + height ? 1 : 0;
}

// What a screen does with a control it made: ReleaseImages, then delete;
// the pointer becomes null. Null is ignored.
template <class Widget>
void DeleteWidget(Widget*& widget) {
  if (widget == nullptr) return;
  widget->ReleaseImages();
  delete widget;
  widget = nullptr;
}
