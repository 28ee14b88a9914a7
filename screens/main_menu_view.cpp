#include "screens/main_menu_view.h"

#include <cstdlib>
#include <initializer_list>

#include "assets/resource_ids.h"
#include "framework/view_list.h"
#include "graphics/edit_field.h"
#include "graphics/image.h"
#include "graphics/picture.h"
#include "graphics/picture_font.h"
#include "graphics/sprite.h"
#include "graphics/tile_background.h"
#include "platform/clock.h"
#include "screens/screen_context.h"
#include "screens/screen_helpers.h"
#include "screens/widgets/button.h"
#include "sound/game_sounds.h"

std::uint8_t CMainMenuView::stage = 0;
std::uint32_t CMainMenuView::lastStepTick = 0;

namespace {

// Seen by the player, horizontal bars from top to bottom; in the frame
// buffer, tall pictures side by side that slide down from above the top.
struct MenuBar {
  int normal;  // the pressed picture follows it
  int width, height;
  int x;
  int startY;
  int id;
};
constexpr MenuBar kBars[CMainMenuView::kSliding] = {
    {kPictureMenuNewGame, 40, 152, 11, -168, 0}, {kPictureMenuOptions, 40, 122, 57, -140, 1},
    {kPictureMenuScore, 40, 110, 103, -112, 2},  {kPictureMenuHelp, 40, 92, 149, -98, 3},
    {kPictureMenuExit, 40, 82, 195, -98, 4},
};

// The player-name button: sliding up from below the bottom.
constexpr int kNameX = 195;
constexpr int kNameY = 162;
constexpr int kNameStartY = 330;
constexpr int kNameWidth = 40;
constexpr int kNameHeight = 158;
constexpr int kNameButton = 5;
constexpr int kExitButton = 4;

// Where each clicked button leads (with the history push).
constexpr int kTargets[CMainMenuView::kButtons] = {kViewGame, kViewOptions, kViewHighScores,
                                                   kViewHelp, -1,           kViewNameEntry};

}  // namespace

CMainMenuView::CMainMenuView(CTileBackground* scene) { SetScene(scene); }

CMainMenuView::~CMainMenuView() { Release(); }

void CMainMenuView::Enter() {
  std::srand(ce::GetTickCount());
  animating = 1;
  DrawPictureOnce(scene_, kPictureMenuBackground, 240, 320, 0, 0);

  for (int i = 0; i < kSliding; ++i) {
    const MenuBar& bar = kBars[i];
    slidingImages[i] = new CImage(bar.normal, bar.width, bar.height);
    slidingSprites[i] = new CSprite(slidingImages[i], bar.x, bar.startY, 0, 0, 0, -1);
  }

  // The name, centred along the name button's pictures.
  nameFont = NewScreenFont();
  nameField = new CEditField;
  nameField->Create(203, 350, nameFont, 8, 1, 0);
  nameField->SetText(ScreenSettings()->userName);
  if (nameField->picture != nullptr) nameField->sprite->y = 410 - nameField->picture->height / 2;
  nameSprite = MakeNameSprite(&nameImage, kPictureMenuName);
  nameSpritePressed = MakeNameSprite(&nameImagePressed, kPictureMenuNamePressed);
  namePictures[0] = nameSprite->picture;
  namePictures[1] = nameSpritePressed->picture;

  for (CSprite* sprite : slidingSprites) scene_->Add(sprite, 2);
  scene_->Add(nameSprite, 2);

  // The menu music starts when the menu is first shown after the title.
  CViewList* views = ScreenViews();
  if (views->previous == kViewIntro || views->previous == kViewTapToStart)
    PlayMusic(kSoundMenuMusic);
}

CSprite* CMainMenuView::MakeNameSprite(CImage** image, int id) {
  *image = new CImage(id, kNameWidth, kNameHeight);
  CSprite* sprite = new CSprite(*image, kNameX, kNameStartY, 0, 0, 0, -1);
  if (nameField->picture != nullptr && (*image)->picture != nullptr) {
    scene_->screen.ComposePicture(nameField->picture, (*image)->picture, 9,
                                  nameField->sprite->y - kNameStartY, 1,
                                  nameField->sprite->keyColor, 0);
  }
  return sprite;
}

int CMainMenuView::HandleEvent(InputEvent* event) {
  if (animating) {
    if (!ScreenSettings()->menuAnimation) {
      stage = kSliding;
      nameSprite->y = kNameY;
    }
    std::uint32_t now = ce::GetTickCount();
    if (now == lastStepTick) return kEventConsumed;
    lastStepTick = now;
    AnimationStep();
    return kEventConsumed;
  }

  if (DispatchToWidgets(event) == 0 || event->type != kEventButtonClicked) return kEventConsumed;
  PlayEffect(kSoundClick);
  std::uint32_t id = event->data[7];
  if (id == kExitButton) return kEventQuit;
  if (id < kButtons) ScreenViews()->SwitchTo(kTargets[id], 1);
  return kEventConsumed;
}

void CMainMenuView::AnimationStep() {
  if (stage < kSliding) {
    CSprite* sprite = slidingSprites[stage];
    if (sprite->y < 0) {
      sprite->y += kSlideStep;
      scene_->Invalidate(sprite);
    } else {
      stage += 1;
    }
    scene_->Redraw();
    return;
  }
  if (nameSprite->y > kNameY) {
    nameSprite->y -= kSlideStep;
    nameField->sprite->y -= kSlideStep;
    scene_->Invalidate(nameSprite);
    scene_->Redraw();
    return;
  }
  animating = 0;
  stage = 0;
  ReleaseSliding();
  PlaceButtons();
  scene_->Redraw();
}

void CMainMenuView::PlaceButtons() {
  for (int i = 0; i < kSliding; ++i) {
    const MenuBar& bar = kBars[i];
    buttons[i] = NewScreenButton(static_cast<std::uint16_t>(bar.id), bar.x, 0, bar.width,
                                 bar.height, bar.normal, bar.normal + 1);
  }
  buttons[kNameButton] = new CButton;
  buttons[kNameButton]->CreateShared(kNameButton, kNameX, kNameY, kNameWidth, kNameHeight,
                                     namePictures, 2, kButtonUp, 1, 1, 0, kWidgetFramePeriod,
                                     kWidgetFrameMode, 0);
  for (int i : {0, 1, 2, 3, 5, 4}) ListAndShow(this, buttons[i]);
}

void CMainMenuView::ReleaseSliding() {
  for (int i = 0; i < kSliding; ++i) {
    DeleteSprite(scene_, slidingSprites[i]);
    DeleteImage(slidingImages[i]);
  }
}

void CMainMenuView::Leave() {
  // The menu stays on screen in grey while the next screen is built.
  scene_->DrawAll();
  scene_->screen.Greyscale();
  scene_->screen.PresentAll();
  if (g_animationList != nullptr) g_animationList->Clear();
  Release();
}

void CMainMenuView::Release() {
  ReleaseSliding();
  DeleteSprite(scene_, nameSprite);
  DeleteSprite(scene_, nameSpritePressed);
  DeleteImage(nameImage);
  DeleteImage(nameImagePressed);
  while (widgetCount_ > 0) RemoveWidget(widgetCount_ - 1);
  for (CButton*& button : buttons) DeleteWidget(button);
  namePictures[0] = namePictures[1] = nullptr;
  DeleteFont(nameFont);
  DeleteEditField(scene_, nameField);
}
