#include "screens/widgets/button.h"

#include "framework/frame_set.h"
#include "graphics/sprite.h"

void CButton::Create(std::uint16_t newId, int x, int y, int newWidth, int newHeight,
                     int firstPicture, int lastPicture, std::uint32_t newState,
                     std::uint8_t newVisible, int keyed, int blend, std::uint32_t framePeriod,
                     int frameMode, int saveUnder) {
  frameSet = new CFrameSet;
  frameSet->LoadFrames(firstPicture, lastPicture, newWidth, newHeight);
  Setup(newId, x, y, newWidth, newHeight, newState, newVisible, keyed, blend, framePeriod,
        frameMode, saveUnder);
}

void CButton::CreateShared(std::uint16_t newId, int x, int y, int newWidth, int newHeight,
                           CPicture* const* pictures, int count, std::uint32_t newState,
                           std::uint8_t newVisible, int keyed, int blend, std::uint32_t framePeriod,
                           int frameMode, int saveUnder) {
  frameSet = new CFrameSet;
  frameSet->BorrowFrames(pictures, count);
  Setup(newId, x, y, newWidth, newHeight, newState, newVisible, keyed, blend, framePeriod,
        frameMode, saveUnder);
}

void CButton::Setup(std::uint16_t newId, int x, int y, int newWidth, int newHeight,
                    std::uint32_t newState, std::uint8_t newVisible, int keyed, int blend,
                    std::uint32_t framePeriod, int frameMode, int saveUnder) {
  id = newId;
  sprite.InitAnimation(frameSet, x, y, saveUnder, keyed, blend, kKeyFromPicture, framePeriod,
                       frameMode);
  sprite.SetFrame(0);
  width = newWidth;
  height = newHeight;
  state = newState;
  visible = newVisible;
  captured = 0;
}

std::uint8_t CButton::HitTest(int x, int y) {
  return InsideClosed(x, y, sprite.x, sprite.y, width, height);
}

std::uint8_t CButton::HandleEvent(InputEvent* event) {
  std::uint8_t inside = HitTest(event->x, event->y);
  if (state == kButtonDisabled) return 0;
  switch (event->type) {
    case kEventPenDown:
      if (!inside) return 0;
      captured = 1;
      if (state == kButtonUp) {
        state = kButtonPressed;
        sprite.SetFrame(1);
      }
      event->type = kEventNone;
      return 1;
    case kEventPenUp:
      if (!captured) return 0;
      inside = HitTest(event->x, event->y);
      state = kButtonUp;
      sprite.SetFrame(0);
      captured = 0;
      if (inside) {
        event->type = kEventButtonClicked;
        event->data[7] = id;
      }
      return 1;
    default:
      if (state == kButtonPressed && captured) {
        WhileHeld();
        return 1;
      }
      return 0;
  }
}

CButton* NewScreenButton(std::uint16_t id, int x, int y, int width, int height, int firstPicture,
                         int lastPicture) {
  CButton* button = new CButton;
  button->Create(id, x, y, width, height, firstPicture, lastPicture, kButtonUp, 1, 0, 0,
                 kWidgetFramePeriod, kWidgetFrameMode, 0);
  return button;
}
