#include "screens/name_entry_view.h"

#include "assets/resource_ids.h"
#include "framework/view_list.h"
#include "graphics/edit_field.h"
#include "graphics/image.h"
#include "graphics/picture.h"
#include "graphics/picture_font.h"
#include "graphics/sprite.h"
#include "graphics/tile_background.h"
#include "persistence/settings.h"
#include "screens/screen_context.h"
#include "screens/screen_helpers.h"
#include "screens/widgets/button.h"
#include "sound/game_sounds.h"

namespace {

// The space key types a lower-case a: the font has no glyph for it and
// draws its blank one, so the name shows a gap.
constexpr char16_t kSpaceCharacter = u'a';

// Key k (0 to 37) in the order of its pictures, every second one from
// kPictureKey0, each followed by its pressed picture: 0, 1 to 9, A to I,
// J to R, S to Z, space, delete. Its position on the keyboard.
struct KeyPlace {
  int x, y;
};
KeyPlace PlaceOfKey(int k) {
  if (k == 0) return {200, 287};                   // 0
  if (k <= 9) return {166, 287 - 34 * (k - 1)};    // 1 to 9
  if (k <= 18) return {59, 287 - 34 * (k - 10)};   // A to I
  if (k <= 27) return {93, 287 - 34 * (k - 19)};   // J to R
  if (k <= 35) return {127, 269 - 34 * (k - 28)};  // S to Z
  if (k == 36) return {200, 253};                  // space
  return {200, 219};                               // delete
}

// The key's button id: 0 is id 2, 1 to 9 are 3 to 11, the letters 12 to 37.
std::uint16_t IdOfKey(int k) { return static_cast<std::uint16_t>(k + 2); }

}  // namespace

char16_t CNameEntryView::KeyCharacter(int id) {
  if (id >= 2 && id <= 11) return static_cast<char16_t>(u'0' + (id - 2));
  if (id >= 12 && id <= 37) return static_cast<char16_t>(u'A' + (id - 12));
  return kSpaceCharacter;
}

CNameEntryView::CNameEntryView(CTileBackground* scene) { SetScene(scene); }

CNameEntryView::~CNameEntryView() { Release(); }

void CNameEntryView::Enter() {
  background = new CImage(kPictureNameBackground, 240, 320);
  backgroundSprite = new CSprite(background, 0, 0, 0, 0, 0, -1);
  scene_->Add(backgroundSprite, 1);
  scene_->Redraw();

  length = 0;
  for (char16_t& c : text) c = 0;

  font = NewScreenFont();
  nameField = new CEditField;
  nameField->Create(18, 70, font, kMaxLength, 1, 0);
  scene_->Add(nameField->sprite, 2);
  nameField->SetText(u"");

  okButton = ListAndShow(
      this, NewScreenButton(kOk, 203, 27, 26, 44, kPictureNameOk, kPictureNameOkPressed));
  cancelButton = ListAndShow(this, NewScreenButton(kCancel, 203, 86, 26, 98, kPictureNameCancel,
                                                   kPictureNameCancelPressed));
  static_assert(kPictureKey0 + 2 * (kKeys - 1) == kPictureKeyDelete);
  for (int k = 0; k < kKeys; ++k) {
    KeyPlace at = PlaceOfKey(k);
    keys[k] = ListAndShow(this, NewScreenButton(IdOfKey(k), at.x, at.y, 20, 20,
                                                kPictureKey0 + 2 * k, kPictureKey0Pressed + 2 * k));
  }
}

void CNameEntryView::ShowText() {
  nameField->SetTextAndMark(text, scene_);
  if (nameField->picture != nullptr) nameField->sprite->y = 160 - nameField->picture->height / 2;
  scene_->Redraw();
}

int CNameEntryView::HandleEvent(InputEvent* event) {
  if (DispatchToWidgets(event) == 0 || event->type != kEventButtonClicked) return kEventConsumed;
  PlayEffect(kSoundClick);
  std::uint32_t id = event->data[7];
  if (id == kOk || id == kCancel) {
    if (id == kOk && text[0] != 0) {
      SettingsStore* settings = ScreenSettings();
      for (int i = 0; i <= kMaxLength; ++i) settings->userName[i] = text[i];
    }
    // Back to the main menu, which opened this screen with the history push.
    ScreenViews()->GoBack();
    return kEventConsumed;
  }
  if (id == kDelete) {
    if (length == 0) return kEventConsumed;
    if (length == 1) {
      // The field keeps a blank in place of the last character.
      length = 0;
      text[0] = kSpaceCharacter;
    } else {
      length -= 1;
      text[length] = 0;
    }
    ShowText();
    return kEventConsumed;
  }
  if (id >= kFirstKey && id <= kSpace) {
    if (length == kMaxLength) return kEventConsumed;
    text[length] = KeyCharacter(static_cast<int>(id));
    ShowText();
    length += 1;
  }
  return kEventConsumed;
}

void CNameEntryView::Leave() { Release(); }

void CNameEntryView::Release() {
  DeleteSprite(scene_, backgroundSprite);
  DeleteImage(background);
  DeleteFont(font);
  DeleteEditField(scene_, nameField);
  if (widgetCount_ > 0) ClearWidgets();
  DeleteWidget(okButton);
  DeleteWidget(cancelButton);
  for (CButton*& key : keys) DeleteWidget(key);
}
