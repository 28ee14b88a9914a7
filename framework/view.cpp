// CView's own code: the widget helpers that every view shares.
#include "framework/view.h"

#include "framework/widget.h"
#include "graphics/tile_background.h"

void CView::AddWidget(CWidget* widget) {
  // The array has room for 40; a view never adds more between two clears.
  if (widgetCount_ >= kMaxWidgets) return;
  widgets_[widgetCount_] = widget;
  widgetCount_ += 1;
}

void CView::ShowWidget(CWidget* widget, std::uint8_t layer) {
  if (widget->visible != 1) return;
  scene_->Add(&widget->sprite, layer);
  scene_->Invalidate(&widget->sprite);
}

void CView::RemoveWidget(int index) {
  if (index < 0 || index >= widgetCount_) return;
  scene_->Remove(&widgets_[index]->sprite);
  widgetCount_ -= 1;
  widgets_[index] = widgets_[widgetCount_];
  widgets_[widgetCount_] = nullptr;
}

void CView::ClearWidgets() {
  scene_->sprites.Clear();
  widgetCount_ = 0;
}

int CView::DispatchToWidgets(InputEvent* event) {
  if (widgetCount_ == 0) return 0;
  InputEvent copy = *event;
  for (int i = 0; i < widgetCount_; ++i) {
    CWidget* widget = widgets_[i];
    int result = widget->HandleEvent(&copy);
    if ((result & 0xFF) == 0) continue;
    scene_->DrawSpriteAndPresent(&widget->sprite);
    *event = copy;
    return result;
  }
  return 0;
}
