// The widget helpers that every view shares.
#include "framework/view.h"

#include <gtest/gtest.h>

#include "assets/resource_ids.h"
#include "graphics/tile_background.h"
#include "screens/widgets/button.h"
#include "tests/support/headless_window.h"

namespace {

struct TestView : CView {
  void Enter() override {}
  void Leave() override {}
  int HandleEvent(InputEvent*) override { return 0; }
};

struct ViewWidgets : ::testing::Test {
  static void SetUpTestSuite() { window = testsupport::OpenHeadlessWindow(); }
  void SetUp() override {
    scene = new CTileBackground(window, 1, 3, 240, 320);
    view.SetScene(scene);
    a = NewScreenButton(1, 10, 10, 20, 20, kPictureKeyA, kPictureKeyAPressed);
    b = NewScreenButton(2, 50, 10, 20, 20, kPictureKeyB, kPictureKeyBPressed);
  }
  void TearDown() override {
    view.ClearWidgets();
    DeleteWidget(a);
    DeleteWidget(b);
    delete scene;
  }
  static ce::HWND window;
  CTileBackground* scene = nullptr;
  TestView view;
  CButton* a = nullptr;
  CButton* b = nullptr;
};
ce::HWND ViewWidgets::window = nullptr;

// (Events reach the widgets through every screen's buttons in the screen
// tests.) Removing moves the last widget into the gap.
TEST_F(ViewWidgets, RemoveShowAndClear) {
  CButton* hidden = NewScreenButton(3, 100, 10, 20, 20, kPictureKeyC, kPictureKeyCPressed);
  hidden->visible = 0;
  view.AddWidget(a);
  view.AddWidget(b);
  view.AddWidget(hidden);
  view.ShowWidget(a, 200);
  view.ShowWidget(b, 200);
  view.ShowWidget(hidden, 200);
  EXPECT_EQ(scene->sprites.count, 2);  // the invisible one stays off the scene
  view.RemoveWidget(0);
  EXPECT_EQ(view.widgetCount(), 2);
  EXPECT_EQ(view.widget(0), hidden);  // the last entry moves into the gap
  EXPECT_EQ(view.widget(1), b);
  EXPECT_FALSE(scene->sprites.Contains(&a->sprite));
  view.ClearWidgets();
  EXPECT_EQ(view.widgetCount(), 0);
  EXPECT_EQ(scene->sprites.count, 0);
  DeleteWidget(hidden);
}

}  // namespace
