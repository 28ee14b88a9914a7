#include "screens/widgets/check_box.h"

#include "framework/frame_set.h"
#include "graphics/sprite.h"

void CCheckBox::Create(std::uint16_t newId, int x, int y, int newWidth, int newHeight,
                       int firstPicture, int lastPicture, std::uint32_t newState, CFrameSet* frames,
                       std::uint8_t newVisible, int keyed, int blend, std::uint32_t framePeriod,
                       int frameMode) {
  CFrameSet* shown = frames;
  if (shown == nullptr) {
    frameSet = new CFrameSet;
    frameSet->LoadFrames(firstPicture, lastPicture, newWidth, newHeight);
    shown = frameSet;
  }
  sprite.InitAnimation(shown, x, y, 0, keyed, blend, kKeyFromPicture, framePeriod, frameMode);
  width = static_cast<std::int16_t>(newWidth);
  height = static_cast<std::int16_t>(newHeight);
  state = newState;
  visible = newVisible;
  id = newId;
  sprite.SetFrame(static_cast<int>(state));
}

std::uint8_t CCheckBox::HitTest(int x, int y) {
  return InsideClosed(x, y, sprite.x, sprite.y, width, height);
}

std::uint8_t CCheckBox::HandleEvent(InputEvent* event) {
  if (event->type != kEventPenDown || !HitTest(event->x, event->y)) return 0;
  if (state == 0) {
    state = 1;
  } else if (state == 1) {
    state = 0;
  } else {
    return 0;
  }
  sprite.SetFrame(static_cast<int>(state));
  event->type = kEventCheckBoxToggled;
  event->data[7] = id;
  event->data[8] = (event->data[8] & 0xFFFF0000u) | state;
  return 1;
}
