#include "game/game_clock.h"

#include "assets/resource_ids.h"
#include "graphics/edit_field.h"
#include "graphics/image.h"
#include "graphics/picture_font.h"
#include "graphics/sprite.h"
#include "graphics/tile_background.h"
#include "platform/clock.h"
#include "platform/window.h"

namespace {
constexpr std::uint8_t kLayer = 220;
constexpr int kMenuIconX = 224;
constexpr int kMenuIconY = 304;
}  // namespace

CPictureFont* NewGameFont() {
  CPictureFont* font = new CPictureFont;
  font->Setup(kPictureGameFont, 22, 700, 48);
  return font;
}

void ReleaseFontAndField(CPictureFont** font, CEditField** field) {
  if (*font == nullptr) {
    ce::MessageBoxW(nullptr, u"m_font = NULL", u"", ce::MB_OK);
  } else {
    (*font)->ReleasePicture();
    delete *font;
    *font = nullptr;
  }
  if (*field == nullptr) {
    ce::MessageBoxW(nullptr, u"m_editField = NULL", u"", ce::MB_OK);
  } else {
    (*field)->Clear();
    delete *field;
    *field = nullptr;
  }
}

void CGameClock::FormatTime(std::int32_t seconds, char16_t text[8]) {
  std::uint8_t minutes = static_cast<std::uint8_t>(static_cast<std::uint32_t>(seconds) / 60);
  std::uint8_t rest = static_cast<std::uint8_t>(static_cast<std::uint32_t>(seconds) % 60);
  int n = 0;
  if (minutes < 10) text[n++] = u'0';
  if (minutes >= 100) text[n++] = static_cast<char16_t>(u'0' + minutes / 100);
  if (minutes >= 10) text[n++] = static_cast<char16_t>(u'0' + minutes / 10 % 10);
  text[n++] = static_cast<char16_t>(u'0' + minutes % 10);
  text[n++] = u':';
  text[n++] = static_cast<char16_t>(u'0' + rest / 10);
  text[n++] = static_cast<char16_t>(u'0' + rest % 10);
  text[n] = 0;
}

void CGameClock::Create(int screenX, int screenY, int seconds, CTileBackground* scene) {
  scene_ = scene;
  x = screenX;
  y = screenY;
  secondsLeft = seconds;
  running = 0;
  m_font = NewGameFont();
  m_editField = new CEditField;
  m_editField->Create(x + scene_->GetScrollX(), y + scene_->GetScrollY(), m_font, 10, 1, 0);
  scene_->Add(m_editField->sprite, kLayer);
  ShowTime();
  menuIconImage = new CImage(kPictureMenuIcon, 16, 16);
  menuIcon = new CSprite(menuIconImage, kMenuIconX + scene_->GetScrollX(),
                         kMenuIconY + scene_->GetScrollY(), 0, 1, 0, kKeyFromPicture);
  scene_->Add(menuIcon, kLayer);
  scene_->Invalidate(menuIcon);
}

void CGameClock::ShowTime() {
  char16_t text[8];
  FormatTime(secondsLeft, text);
  m_editField->SetTextAndMark(text, scene_);
}

void CGameClock::Start() {
  lastTick = ce::GetTickCount();
  running = 1;
}

void CGameClock::Stop() { running = 0; }

std::int32_t CGameClock::Tick() {
  std::uint32_t now = ce::GetTickCount();
  if (running && now - lastTick > 1000) {
    // Each counted second lasts a little more than 1000 ms.
    lastTick = now;
    if (secondsLeft > 0) secondsLeft -= 1;
    ShowTime();
    if (secondsLeft == 0) Stop();
  }
  return secondsLeft;
}

void CGameClock::AddSeconds(std::int8_t delta) {
  if (delta < 0 && -delta > secondsLeft) {
    secondsLeft = 0;
    Stop();
    return;
  }
  secondsLeft += delta;
  lastTick = ce::GetTickCount();
}

void CGameClock::Follow() {
  int scrollX = scene_->GetScrollX();
  int scrollY = scene_->GetScrollY();
  m_editField->sprite->x = x + scrollX;
  m_editField->sprite->y = y + scrollY;
  menuIcon->x = kMenuIconX + scrollX;
  menuIcon->y = kMenuIconY + scrollY;
  scene_->Invalidate(menuIcon);
  Tick();
}

void CGameClock::Hide() {
  scene_->Remove(m_editField->sprite);
  scene_->Remove(menuIcon);
  Stop();
}

void CGameClock::Show() {
  Start();
  scene_->Add(m_editField->sprite, kLayer);
  ShowTime();
  scene_->Add(menuIcon, kLayer);
  scene_->Invalidate(menuIcon);
}

void CGameClock::Destroy() {
  secondsLeft = 0;
  lastTick = 0;
  running = 0;
  if (m_editField != nullptr) scene_->Remove(m_editField->sprite);
  ReleaseFontAndField(&m_font, &m_editField);
  if (menuIcon != nullptr) scene_->Remove(menuIcon);
  delete menuIcon;
  menuIcon = nullptr;
  delete menuIconImage;
  menuIconImage = nullptr;
}
