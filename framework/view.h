// The abstract screen: every view is entered, handles events and is left.
#pragma once

#include <cstdint>

#include "framework/input_event.h"

class CTileBackground;
class CWidget;

// HandleEvent results, as the dispatcher reads them.
enum : int {
  kEventPassOn = 0,
  kEventConsumed = 1,
  kEventQuit = 2,
};

class CView {
 public:
  static constexpr int kMaxWidgets = 40;

  virtual ~CView() = default;
  virtual void Enter() = 0;
  virtual void Leave() = 0;
  virtual int HandleEvent(InputEvent* event) = 0;

  void SetScene(CTileBackground* scene) { scene_ = scene; }
  CTileBackground* scene() const { return scene_; }

  // The view's widgets. The array does not own them.
  void AddWidget(CWidget* widget);
  void ShowWidget(CWidget* widget, std::uint8_t layer);
  void RemoveWidget(int index);
  void ClearWidgets();
  int DispatchToWidgets(InputEvent* event);

  CWidget* widget(int index) const { return widgets_[index]; }
  std::uint8_t widgetCount() const { return widgetCount_; }

 protected:
  CTileBackground* scene_ = nullptr;
  CWidget* widgets_[kMaxWidgets] = {};
  std::uint8_t widgetCount_ = 0;
};
