// The vertical slider: a track with a thumb button. The value grows towards
// smaller y. The thumb is dragged, or the pen held on the track beside it
// pages the value towards the pen, repeating after a delay.
#pragma once

#include <cstdint>

#include "framework/widget.h"

class CButton;
class CSpriteScene;

// Slider states.
enum : std::uint32_t {
  kSliderIdle = 0,
  kSliderDragging = 1,
  kSliderPaging = 2,
  kSliderRepeating = 3,
};

// Kinds of the slider-moved notification (data[8]).
enum : std::uint32_t {
  kSliderDragged = 0,
  kSliderPagedDown = 1,
  kSliderPagedUp = 2,
};

class CSlider : public CWidget {
 public:
  CSlider() = default;
  // Deletes the thumb.
  ~CSlider() override;

  void Create(std::uint16_t id, int x, int y, int trackWidth, int trackHeight, int thumbWidth,
              int thumbHeight, int trackFirst, int trackLast, int thumbFirst, int thumbLast,
              int min, int max, int value, int step, std::uint8_t visible, int keyed, int blend,
              std::uint32_t framePeriod, int keyColor);
  // The track at `layer` and the thumb above it, both marked for redrawing.
  void AddToScene(CSpriteScene* scene, std::uint8_t layer);

  std::uint8_t HandleEvent(InputEvent* event) override;
  // The track's rectangle.
  std::uint8_t HitTest(int x, int y) override;
  void ReleaseImages() override;

  // The thumb's y for the current value.
  int ThumbY() const;

  std::uint32_t state = kSliderIdle;
  std::int32_t trackWidth = 0;
  std::int32_t trackHeight = 0;
  CButton* thumb = nullptr;  // owned
  std::int8_t step = 0;
  std::int16_t value = 0;
  std::int16_t min = 0;
  std::int16_t max = 0;
  std::int8_t pixelsPerUnit = 1;
  std::int16_t target = 0;       // the value under the pen when paging began
  std::int16_t repeatDelay = 0;  // in units of 10 ms
  std::uint32_t direction = 0;   // 0 paging down, 1 paging up

 private:
  // Moves the value by one page towards `direction`; 1 and a notification
  // when it changed.
  std::uint8_t Page(InputEvent* event);
  // Takes the new value, moves the thumb and writes the notification.
  void Moved(InputEvent* event, int newValue, std::uint32_t kind);
};
