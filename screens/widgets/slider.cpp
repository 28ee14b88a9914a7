#include "screens/widgets/slider.h"

#include "framework/frame_set.h"
#include "graphics/sprite.h"
#include "graphics/sprite_scene.h"
#include "platform/clock.h"
#include "screens/widgets/button.h"

CSlider::~CSlider() { DeleteWidget(thumb); }

void CSlider::Create(std::uint16_t newId, int x, int y, int newTrackWidth, int newTrackHeight,
                     int thumbWidth, int thumbHeight, int trackFirst, int trackLast, int thumbFirst,
                     int thumbLast, int newMin, int newMax, int newValue, int newStep,
                     std::uint8_t newVisible, int keyed, int blend, std::uint32_t framePeriod,
                     int keyColor) {
  id = newId;
  frameSet = new CFrameSet;
  frameSet->LoadFrames(trackFirst, trackLast, newTrackWidth, newTrackHeight);
  sprite.InitAnimation(frameSet, x, y, 0, keyed, blend, keyColor, framePeriod, 0);
  sprite.SetFrame(0);

  min = static_cast<std::int16_t>(newMin);
  if (newMax < 0) newMax = 10;
  max = static_cast<std::int16_t>(newMax);
  if (newStep < 1 || newStep > newMax) newStep = 3;
  step = static_cast<std::int8_t>(newStep);
  // The lower test is against 0, not against min.
  if (newValue < 0 || newValue > newMax) newValue = newMax / 2;
  value = static_cast<std::int16_t>(newValue);

  int range = max - min + 1;
  int perUnit = range > 0 ? (newTrackHeight - thumbHeight) / range : newTrackHeight;
  pixelsPerUnit = static_cast<std::int8_t>(perUnit);
  if (pixelsPerUnit <= 0) pixelsPerUnit = 1;
  repeatDelay = static_cast<std::int16_t>(range > 0 ? (step * 30) / range : 15);

  // The thumb keeps the pixels under it because it moves.
  thumb = new CButton;
  thumb->Create(0, x, y + newTrackHeight - thumbHeight - value * pixelsPerUnit, thumbWidth,
                thumbHeight, thumbFirst, thumbLast, kButtonUp, 1, keyed, blend, framePeriod,
                kWidgetFrameMode, 1);

  trackWidth = newTrackWidth;
  trackHeight = newTrackHeight;
  visible = newVisible;
  state = kSliderIdle;
}

void CSlider::AddToScene(CSpriteScene* scene, std::uint8_t layer) {
  scene->Add(&sprite, layer);
  scene->Add(&thumb->sprite, static_cast<std::uint8_t>(layer + 1));
  scene->Invalidate(&sprite);
  scene->Invalidate(&thumb->sprite);
}

std::uint8_t CSlider::HitTest(int x, int y) {
  return InsideClosed(x, y, sprite.x, sprite.y, trackWidth, trackHeight);
}

void CSlider::ReleaseImages() {
  CWidget::ReleaseImages();
  if (thumb != nullptr) thumb->ReleaseImages();
}

int CSlider::ThumbY() const {
  return sprite.y + trackHeight - value * pixelsPerUnit - thumb->height;
}

void CSlider::Moved(InputEvent* event, int newValue, std::uint32_t kind) {
  std::int16_t before = value;
  value = static_cast<std::int16_t>(newValue);
  thumb->sprite.y = ThumbY();
  event->type = kEventSliderMoved;
  event->data[7] = id;
  event->data[8] = kind;
  event->data[9] = static_cast<std::uint16_t>(min) |
                   (static_cast<std::uint32_t>(static_cast<std::uint16_t>(max)) << 16);
  event->data[10] = static_cast<std::uint16_t>(value) |
                    (static_cast<std::uint32_t>(static_cast<std::uint16_t>(before)) << 16);
}

std::uint8_t CSlider::Page(InputEvent* event) {
  int moved;
  std::uint32_t kind;
  if (direction == 0) {
    moved = value - step < min ? min : value - step;
    kind = kSliderPagedDown;
  } else {
    moved = value + step > max ? max : value + step;
    kind = kSliderPagedUp;
  }
  if (moved == value) return 0;
  Moved(event, moved, kind);
  return 1;
}

std::uint8_t CSlider::HandleEvent(InputEvent* event) {
  switch (event->type) {
    case kEventPenDown: {
      if (thumb->HitTest(event->x, event->y)) {
        state = kSliderDragging;
        sprite.SetFrame(1);
        thumb->sprite.SetFrame(1);
        thumb->state = kButtonPressed;
        return 1;
      }
      if (!HitTest(event->x, event->y)) return 0;
      target = static_cast<std::int16_t>((sprite.y + trackHeight - thumb->height / 2 - event->y) /
                                         pixelsPerUnit);
      state = kSliderPaging;
      if (target == value) return 0;
      direction = target < value ? 0 : 1;
      return Page(event);
    }
    case kEventPenUp:
      if (state == kSliderIdle) return 0;
      if (state != kSliderPaging) sprite.SetFrame(0);
      if (thumb->state == kButtonPressed) {
        thumb->sprite.SetFrame(0);
        thumb->captured = 0;
        thumb->state = kButtonUp;
      }
      state = kSliderIdle;
      event->type = kEventSliderReleased;
      return 1;
    case kEventPenHeld:
      if (state == kSliderDragging) {
        int moved = (trackHeight - (event->y + thumb->height / 2) + sprite.y) / pixelsPerUnit;
        if (moved < min) moved = min;
        if (moved > max) moved = max;
        if (moved == value) return 0;
        Moved(event, moved, kSliderDragged);
        return 1;
      }
      if (state == kSliderPaging) state = kSliderRepeating;
      if (state == kSliderRepeating) {
        bool down = direction == 0 && target < value && value > min;
        bool up = direction == 1 && target > value && value < max;
        // Once the thumb has reached the pen (or an end) there is nothing to
        // wait for: the pen resting there must not stall every pass.
        if (!down && !up) return 0;
        // Blocks the message loop for the repeat delay.
        ce::Sleep(static_cast<ce::DWORD>(repeatDelay) * 10);
        return Page(event);
      }
      return 0;
    default:
      return 0;
  }
}
