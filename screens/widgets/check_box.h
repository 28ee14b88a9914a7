// The two-state check box: frame 0 for state 0, frame 1 for state 1. Any
// other state makes it inert.
#pragma once

#include <cstdint>

#include "framework/widget.h"

class CFrameSet;

class CCheckBox : public CWidget {
 public:
  CCheckBox() = default;

  // With frames null, pictures firstPicture..lastPicture in a frame set of
  // its own; otherwise the caller's frame set, which the box does not free.
  void Create(std::uint16_t id, int x, int y, int width, int height, int firstPicture,
              int lastPicture, std::uint32_t state, CFrameSet* frames, std::uint8_t visible,
              int keyed, int blend, std::uint32_t framePeriod, int frameMode);

  // Only a pen-down on the box counts: it toggles and reports type 11.
  std::uint8_t HandleEvent(InputEvent* event) override;
  std::uint8_t HitTest(int x, int y) override;

  std::uint32_t state = 0;
  std::int16_t width = 0;
  std::int16_t height = 0;
};
