#include "game/score_counter.h"

#include "game/game_clock.h"
#include "graphics/edit_field.h"
#include "graphics/sprite.h"
#include "graphics/tile_background.h"

namespace {
constexpr std::uint8_t kLayer = 220;
}  // namespace

int CScoreCounter::Create(int x, int y, CTileBackground* scene) {
  scene_ = scene;
  offsetX = static_cast<std::int16_t>(x);
  offsetY = static_cast<std::int16_t>(y);
  score = shown = 0;
  m_font = NewGameFont();
  m_editField = new CEditField;
  m_editField->Create(scene_->GetScrollX() + offsetX, scene_->GetScrollY() + offsetY, m_font, 7, 1,
                      0);
  scene_->Add(m_editField->sprite, kLayer);
  WriteText(0);
  scene_->Invalidate(m_editField->sprite);
  return 1;
}

// Negative values are written as 0.
void CScoreCounter::WriteText(std::int32_t value) {
  if (value < 0) value = 0;
  char16_t text[12];
  char16_t digits[12];
  int n = 0;
  do {
    digits[n++] = static_cast<char16_t>(u'0' + value % 10);
    value /= 10;
  } while (value != 0);
  for (int i = 0; i < n; ++i) text[i] = digits[n - 1 - i];
  text[n] = 0;
  m_editField->SetText(text);
}

void CScoreCounter::Add(std::int32_t delta) {
  shown = score;  // a roll under way restarts from the old score
  score += delta;
  direction = delta < 0 ? -1 : 1;
  if (score < 0) score = 0;
}

void CScoreCounter::Update() {
  if (shown == score) return;
  shown += direction;
  CSprite* sprite = m_editField->sprite;
  // Put back what lay under the old text before the new text (and its new
  // save-under) replaces it.
  if (!sprite->dirty) scene_->screen.RestoreSprite(sprite);
  WriteText(shown);
  scene_->Invalidate(sprite);
  sprite->dirty = 1;
}

void CScoreCounter::Follow() {
  m_editField->sprite->x = scene_->GetScrollX() + offsetX;
  m_editField->sprite->y = scene_->GetScrollY() + offsetY;
  scene_->Invalidate(m_editField->sprite);
}

void CScoreCounter::Hide() { scene_->Remove(m_editField->sprite); }

void CScoreCounter::Show() {
  scene_->Add(m_editField->sprite, kLayer);
  WriteText(score);
  scene_->Invalidate(m_editField->sprite);
}

void CScoreCounter::Destroy() {
  if (m_editField != nullptr) scene_->Remove(m_editField->sprite);
  ReleaseFontAndField(&m_font, &m_editField);
}
