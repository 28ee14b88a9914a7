#include "screens/options_view.h"

#include <initializer_list>

#include "assets/resource_ids.h"
#include "framework/view_list.h"
#include "graphics/tile_background.h"
#include "screens/screen_context.h"
#include "screens/screen_helpers.h"
#include "screens/widgets/button.h"
#include "screens/widgets/check_box.h"
#include "screens/widgets/slider.h"
#include "sound/game_sounds.h"
#include "sound/sound_player.h"

namespace {

// A check box shows the tick (state 0) when its flag is on.
std::uint32_t BoxState(std::uint8_t flag) { return flag == 1 ? 0 : 1; }

CCheckBox* NewCheckBox(std::uint16_t id, int x, int y, std::uint8_t flag) {
  CCheckBox* box = new CCheckBox;
  box->Create(id, x, y, 26, 24, kPictureCheckTicked, kPictureCheckEmpty, BoxState(flag), nullptr, 1,
              0, 0, kWidgetFramePeriod, kWidgetFrameMode);
  return box;
}

CSlider* NewVolumeSlider(int x, int track, int volume) {
  CSlider* slider = new CSlider;
  slider->Create(0, x, 21, 18, 184, 18, 35, track, track, kPictureSliderThumb,
                 kPictureSliderThumbPressed, 0, kVolumeMax, volume, kVolumeStep, 1, 1, 0,
                 kWidgetFramePeriod, -1);
  slider->visible = 1;
  return slider;
}

// The new value of a slider-moved notification.
int MovedValue(const InputEvent* event) {
  return static_cast<std::int16_t>(event->data[10] & 0xFFFF);
}

SoundPlayer* Player() { return ScreenSettings()->soundPlayer; }

}  // namespace

COptionsView::COptionsView(CTileBackground* scene) { SetScene(scene); }

COptionsView::~COptionsView() { Release(); }

void COptionsView::Enter() {
  SettingsStore* settings = ScreenSettings();
  touched = 0;
  DrawPictureOnce(scene_, kPictureOptionsBackground, 240, 320, 0, 0);

  effectsCheckBox = ListAndShow(this, NewCheckBox(kEffects, 144, 154, settings->specialEffects));
  animCheckBox = ListAndShow(this, NewCheckBox(kAnims, 144, 31, settings->menuAnimation));

  // The sliders are offered the events by HandleEvent, not by the list.
  musicSlider = NewVolumeSlider(71, kPictureSliderTrackMusic, settings->musicVolume);
  musicSlider->AddToScene(scene_, 10);
  soundSlider = NewVolumeSlider(110, kPictureSliderTrackSound, settings->soundVolume);
  soundSlider->AddToScene(scene_, 10);

  okButton = ListAndShow(
      this, NewScreenButton(kOk, 200, 140, 26, 42, kPictureOptionsOk, kPictureOptionsOkPressed));
  cancelButton = ListAndShow(this, NewScreenButton(kCancel, 200, 14, 26, 112, kPictureOptionsCancel,
                                                   kPictureOptionsCancelPressed));

  saved = *static_cast<SettingsValues*>(settings);
  scene_->Redraw();
}

int COptionsView::HandleEvent(InputEvent* event) {
  SettingsStore* settings = ScreenSettings();
  if (DispatchToWidgets(event) == 1) {
    touched = 1;
    if (event->type == kEventButtonClicked) {
      PlayEffect(kSoundClick);
      if (event->data[7] == kOk) {
        settings->Save();
        ScreenViews()->GoBack();
        return kEventConsumed;
      }
      if (event->data[7] == kCancel) {
        *static_cast<SettingsValues*>(settings) = saved;
        if (SoundPlayer* player = Player()) {
          player->SetMusicVolume(settings->musicVolume);
          player->SetSoundVolume(settings->soundVolume);
        }
        ScreenViews()->GoBack();
        return kEventConsumed;
      }
    }
  }
  if (event->type == kEventCheckBoxToggled) {
    touched = 1;
    if (event->data[7] == kAnims) settings->menuAnimation = settings->menuAnimation == 0 ? 1 : 0;
    if (event->data[7] == kEffects)
      settings->specialEffects = settings->specialEffects == 0 ? 1 : 0;
  }

  if (musicSlider->HandleEvent(event) == 1) {
    touched = 1;
    RedrawSliders(soundSlider);
    if (event->type != kEventSliderMoved) return kEventPassOn;
    int v = MovedValue(event);
    if (SoundPlayer* player = Player()) player->SetMusicVolume(v);
    // The menu music starts again so that the new volume is heard.
    StartMusic(kSoundMenuMusic);
    settings->musicVolume = v;
    event->type = kEventNone;
    return kEventPassOn;
  }

  // The first pen-down after entering that nothing above took is dropped.
  if (event->type == kEventPenDown && touched == 0) {
    event->type = kEventNone;
    touched = 1;
    return kEventPassOn;
  }

  if (soundSlider->HandleEvent(event) == 0) return kEventPassOn;
  RedrawSliders(musicSlider);
  if (event->type != kEventSliderMoved) return kEventPassOn;
  int v = MovedValue(event);
  if (SoundPlayer* player = Player()) player->SetSoundVolume(v);
  PlayEffect(kSoundVolumePreview);
  settings->soundVolume = v;
  event->type = kEventNone;
  return kEventPassOn;
}

void COptionsView::RedrawSliders(CSlider* other) {
  scene_->Invalidate(&other->sprite);
  scene_->Invalidate(&other->thumb->sprite);
  scene_->Update();
}

void COptionsView::Leave() {
  ClearWidgets();
  Release();
}

void COptionsView::Release() {
  for (CSlider* slider : {musicSlider, soundSlider}) {
    if (slider == nullptr) continue;
    scene_->Remove(&slider->sprite);
    scene_->Remove(&slider->thumb->sprite);
  }
  while (widgetCount_ > 0) RemoveWidget(widgetCount_ - 1);
  delete musicSlider;
  musicSlider = nullptr;
  delete soundSlider;
  soundSlider = nullptr;
  DeleteWidget(animCheckBox);
  DeleteWidget(effectsCheckBox);
  DeleteWidget(okButton);
  DeleteWidget(cancelButton);
}
