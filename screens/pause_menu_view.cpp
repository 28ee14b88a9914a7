#include "screens/pause_menu_view.h"

#include "assets/resource_ids.h"
#include "framework/frame_set.h"
#include "framework/view_list.h"
#include "graphics/blitters.h"
#include "graphics/image.h"
#include "graphics/picture.h"
#include "graphics/presenter.h"
#include "graphics/sprite.h"
#include "graphics/surface.h"
#include "graphics/tile_background.h"
#include "persistence/settings.h"
#include "platform/clock.h"
#include "screens/screen_context.h"
#include "screens/screen_helpers.h"
#include "screens/widgets/button.h"
#include "sound/game_sounds.h"

namespace {

constexpr int kPanelWidth = 170;
constexpr int kPanelHeight = 100;
constexpr int kPanelTop = 220;
constexpr int kButtonTop = 226;
constexpr int kButtonWidth = 24;
constexpr int kButtonHeight = 88;
constexpr int kSlideColumns = 10;

CButton* NewItem(std::uint16_t id, int x, int picture) {
  return NewScreenButton(id, x, kButtonTop, kButtonWidth, kButtonHeight, picture, picture + 1);
}

}  // namespace

CPauseMenuView::CPauseMenuView(CTileBackground* scene) { SetScene(scene); }

CPauseMenuView::~CPauseMenuView() { Release(); }

void CPauseMenuView::Enter() {
  sliding = 1;
  pressedItem = kNone;
  lastStepTick = 0;
  panelImage = new CImage(kPicturePausePanel, kPanelWidth, kPanelHeight);
  panelSprite = new CSprite(panelImage, 240, kPanelTop, 0, 1, 0, -1);
  options = NewItem(4, 86, kPicturePauseOptions);
  exit = NewItem(1, 174, kPicturePauseExit);
  score = NewItem(3, 114, kPicturePauseScore);
  help = NewItem(2, 146, kPicturePauseHelp);
  resume = NewItem(0, 203, kPicturePauseResume);
  panelSource = ce::RECT{0, 0, 0, kPanelHeight};
  panelArea = ce::RECT{240, kPanelTop, 240, 320};
  buttonSource = ce::RECT{0, 0, kButtonWidth, kButtonHeight};
}

void CPauseMenuView::DrawPanel() {
  if (panelImage->picture == nullptr || panelSource.right <= panelSource.left) return;
  KeyedCopyRect(panelImage->picture->surface, g_backBuffer,
                ce::POINT{panelArea.left, panelArea.top}, panelSource, panelSprite->keyColor);
}

void CPauseMenuView::PresentPanel() {
  if (panelArea.right > panelArea.left) scene_->screen.presenter->PresentRects(&panelArea, 1);
}

int CPauseMenuView::HandleEvent(InputEvent* event) {
  if (sliding) {
    Slide();
    return kEventPassOn;
  }
  if (event->type == kEventPenDown) PenDown(event);
  if (event->type == kEventPenUp) PenUp(event);
  return kEventPassOn;
}

void CPauseMenuView::Slide() {
  if (!ScreenSettings()->menuAnimation) {
    panelSprite->x = 71;
    panelArea.left = 70;
    panelSource.right = kPanelWidth;
    DrawPanel();
    PresentPanel();
    sliding = 0;
    return;
  }
  std::uint32_t now = ce::GetTickCount();
  if (now - lastStepTick < kSlideStepMs) return;
  lastStepTick = now;
  if (panelSprite->x < 73) {
    sliding = 0;
    return;
  }
  // The panel enters from the frame's right edge, ten columns a step.
  panelSprite->x -= kSlideColumns;
  panelSource.right += kSlideColumns;
  panelArea.left -= kSlideColumns;
  DrawPanel();
  PresentPanel();
}

void CPauseMenuView::PenDown(const InputEvent* event) {
  DrawPanel();  // erases a pressed look
  struct Item {
    CButton* button;
    std::uint8_t number;
  };
  const Item items[] = {{resume, kResumeItem},
                        {exit, kExitItem},
                        {options, kOptionsItem},
                        {score, kScoreItem},
                        {help, kHelpItem}};
  for (const Item& item : items) {
    if (!item.button->HitTest(event->x, event->y)) continue;
    pressedItem = item.number;
    int x = item.button->sprite.x;
    buttonArea = ce::RECT{x, kButtonTop, x + kButtonWidth, kButtonTop + kButtonHeight};
    CPicture* pressed = item.button->frameSet->pictures[1];
    if (pressed != nullptr && pressed->surface != nullptr)
      CopyRect(pressed->surface, g_backBuffer, ce::POINT{buttonArea.left, buttonArea.top},
               buttonSource);
    break;
  }
  PresentPanel();
}

void CPauseMenuView::PenUp(const InputEvent* event) {
  DrawPanel();
  PresentPanel();
  int x = event->x, y = event->y;
  CViewList* views = ScreenViews();
  if (resume->HitTest(x, y) && pressedItem == kResumeItem) {
    scene_->DrawTiles();
    views->GoBack();
    StartMusic(kSoundGameMusic);
    PlayEffect(kSoundClick);
  } else if (exit->HitTest(x, y) && pressedItem == kExitItem) {
    g_gameSession->EndGame();
    views->historyCount = 1;  // only the main menu stays on the history
    scene_->SetScroll(0, 0);
    PlayEffect(kSoundClick);
    views->SwitchTo(kViewMainMenu, 1);
  } else if (score->HitTest(x, y) && pressedItem == kScoreItem) {
    Visit(kViewHighScores);
  } else if (options->HitTest(x, y) && pressedItem == kOptionsItem) {
    Visit(kViewOptions);
  } else if (help->HitTest(x, y) && pressedItem == kHelpItem) {
    Visit(kViewHelp);
  }
}

void CPauseMenuView::Visit(int view) {
  g_gameSession->HideGame();
  scene_->SetScroll(0, 0);
  PlayEffect(kSoundClick);
  ScreenViews()->SwitchTo(view, 0);
}

void CPauseMenuView::Leave() { Release(); }

void CPauseMenuView::Release() {
  DeleteSprite(scene_, panelSprite);
  DeleteImage(panelImage);
  DeleteWidget(options);
  DeleteWidget(exit);
  DeleteWidget(score);
  DeleteWidget(help);
  DeleteWidget(resume);
}
