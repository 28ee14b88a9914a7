// The push button: frame 0 up, frame 1 pressed. A pen-down on it is used
// up; only the pen-up decides, by its own position, whether it was clicked.
#pragma once

#include <cstdint>

#include "framework/view.h"
#include "framework/widget.h"

class CPicture;

// Button states.
enum : std::uint32_t {
  kButtonUp = 0,
  kButtonPressed = 1,
  kButtonDisabled = 2,  // ignores every event
};

// The mode given to the sprites of buttons: they never animate.
constexpr int kWidgetFrameMode = 0xFFFF;
constexpr std::uint32_t kWidgetFramePeriod = 100;

class CButton : public CWidget {
 public:
  CButton() = default;

  // Pictures firstPicture..lastPicture, each width x height, in a frame set
  // of the button's own.
  void Create(std::uint16_t id, int x, int y, int width, int height, int firstPicture,
              int lastPicture, std::uint32_t state, std::uint8_t visible, int keyed, int blend,
              std::uint32_t framePeriod, int frameMode, int saveUnder);
  // The same over someone else's pictures (count cut to 30), which
  // ReleaseImages does not free.
  void CreateShared(std::uint16_t id, int x, int y, int width, int height,
                    CPicture* const* pictures, int count, std::uint32_t state, std::uint8_t visible,
                    int keyed, int blend, std::uint32_t framePeriod, int frameMode, int saveUnder);

  std::uint8_t HandleEvent(InputEvent* event) override;
  std::uint8_t HitTest(int x, int y) override;
  // Called on every other event while the button is held; does nothing here.
  virtual void WhileHeld() {}

  std::uint32_t state = kButtonUp;
  std::uint8_t captured = 0;  // the pen went down on it and is not lifted yet
  std::int32_t width = 0;
  std::int32_t height = 0;

 private:
  void Setup(std::uint16_t id, int x, int y, int width, int height, std::uint32_t state,
             std::uint8_t visible, int keyed, int blend, std::uint32_t framePeriod, int frameMode,
             int saveUnder);
};

// A button as every screen makes it: up, visible, opaque, no save-under.
CButton* NewScreenButton(std::uint16_t id, int x, int y, int width, int height, int firstPicture,
                         int lastPicture);

// Puts the control into the view's widget list and shows it on the scene.
template <class Widget>
Widget* ListAndShow(CView* view, Widget* widget, std::uint8_t layer = 200) {
  view->AddWidget(widget);
  view->ShowWidget(widget, layer);
  return widget;
}
