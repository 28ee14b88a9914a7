#include "screens/high_score_view.h"

#include <initializer_list>
#include <string>

#include "assets/resource_ids.h"
#include "framework/view_list.h"
#include "graphics/edit_field.h"
#include "graphics/image.h"
#include "graphics/picture.h"
#include "graphics/picture_font.h"
#include "graphics/sprite.h"
#include "graphics/tile_background.h"
#include "persistence/kept_result.h"
#include "persistence/settings.h"
#include "screens/screen_context.h"
#include "screens/screen_helpers.h"
#include "screens/widgets/button.h"
#include "screens/widgets/confirm_dialog.h"
#include "sound/game_sounds.h"

namespace {

constexpr std::uint8_t kButtonLayer = 1;
constexpr int kFirstRowX = 81;
constexpr int kRowStep = 18;

std::u16string Number(long value) {
  std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

}  // namespace

CHighScoreView::CHighScoreView(CTileBackground* scene) { SetScene(scene); }

CHighScoreView::~CHighScoreView() { Release(); }

void CHighScoreView::Enter() {
  SettingsStore* settings = ScreenSettings();
  firstRow = 0;
  settings->EnterPendingResult(&newEntry);

  background = new CImage(kPictureScoresBackground, 240, 320);
  backgroundSprite = new CSprite(background, 0, 0, 0, 0, 0, -1);
  scene_->DrawSprite(backgroundSprite);

  font = NewScreenFont();
  textField = new CEditField;
  textField->Create(0, 0, font, 15, 1, 0);
  tickImage = new CImage(kPictureScoresTick, 20, 20);
  tickSprite = new CSprite(tickImage, 0, 0, 0, 1, 0, -1);

  ok = NewScreenButton(kOk, 200, 13, 26, 44, kPictureScoresOk, kPictureScoresOkPressed);
  reset = NewScreenButton(kReset, 200, 70, 26, 90, kPictureScoresReset, kPictureScoresResetPressed);
  stats =
      NewScreenButton(kStats, 200, 174, 26, 88, kPictureScoresStats, kPictureScoresStatsPressed);
  score =
      NewScreenButton(kScore, 200, 174, 26, 88, kPictureScoresScore, kPictureScoresScorePressed);
  AddWidget(ok);
  AddWidget(reset);
  AddWidget(score);

  page = kTablePage;
  ShowTable();
}

void CHighScoreView::DrawText(const char16_t* text, int x, int y) {
  // An empty text would leave the field's last text in place: draw nothing.
  if (text == nullptr || text[0] == 0) return;
  textField->sprite->x = x;
  textField->sprite->y = y;
  textField->SetText(text);
  if (textField->picture == nullptr) return;
  textField->sprite->y = y - textField->picture->height;
  scene_->DrawSprite(textField->sprite);
}

void CHighScoreView::Include(CButton* button) {
  bool listed = false;
  for (int i = 0; i < widgetCount_; ++i) listed = listed || widgets_[i] == button;
  if (!listed) AddWidget(button);
  if (!scene_->sprites.Contains(&button->sprite)) {
    ShowWidget(button, kButtonLayer);
  } else {
    scene_->Invalidate(&button->sprite);
  }
}

void CHighScoreView::Exclude(CButton* button) {
  for (int i = 0; i < widgetCount_; ++i) {
    if (widgets_[i] == button) {
      RemoveWidget(i);
      return;
    }
  }
  scene_->Remove(&button->sprite);
}

void CHighScoreView::ShowTable() {
  Include(ok);
  Include(reset);
  if (page == kStatsPage) {
    reset->state = kButtonDisabled;
    Exclude(stats);
    Include(score);
    scene_->Redraw();
    ShowStatistics();
  } else {
    reset->state = kButtonUp;
    Exclude(score);
    Include(stats);
    scene_->Redraw();
    ShowEntries();
  }
  scene_->Redraw();
}

void CHighScoreView::ShowStatistics() {
  const SettingsStore* s = ScreenSettings();
  struct Line {
    const char16_t* label;
    std::u16string value;
  };
  const Line lines[] = {
      {u"NAME:", s->playerName},
      {u"SCORE:", Number(s->lastScore)},
      {u"SHOT DUCKS:", Number(s->killedDucks)},
      {u"SHOT LEAVES:", Number(s->killedLeafs)},
      {u"PENALTIES:", Number(s->negPoints)},
      // The font draws the comma with its percent sign.
      {u"ACCURACY:", Number(s->persentageSuccess) + u" ,"},
  };
  int x = 63;
  for (const Line& line : lines) {
    DrawText(line.label, x, 300);
    DrawText(line.value.c_str(), x, 130);
    x += 20;
  }
}

void CHighScoreView::ShowEntries() {
  HighScoreTable* table = ScreenSettings()->highScores;
  int filled = table->FindFirstEmpty();
  if (filled > 0) table->SortByScore();
  DrawText(u"NAME", 58, 270);
  DrawText(u"SCORE", 58, 130);
  for (int i = firstRow; i < filled && i < firstRow + kRowsPerPage; ++i) {
    HighScoreEntry entry{};
    table->GetEntry(i, &entry);
    DrawRow(entry, i, i - firstRow);
  }
}

void CHighScoreView::DrawRow(const HighScoreEntry& entry, int index, int row) {
  int x = kFirstRowX + kRowStep * row;
  if (entry.isNewest == 1) {
    tickSprite->x = x - 1;
    tickSprite->y = 280;
    scene_->DrawSprite(tickSprite);
  } else {
    int place = index + 1;
    DrawText(Number(place).c_str(), x, place == 10 ? 308 : 300);
  }
  DrawText(entry.name, x, 270);
  DrawText(Number(entry.score).c_str(), x, 130);
}

void CHighScoreView::RedrawPage() {
  scene_->DrawSprite(backgroundSprite);
  ShowTable();
}

int CHighScoreView::HandleEvent(InputEvent* event) {
  if (event->type == kEventNone) return kEventPassOn;
  if (DispatchToWidgets(event) == 1 && event->type == kEventButtonClicked) {
    PlayEffect(kSoundClick);
    HighScoreTable* table = ScreenSettings()->highScores;
    switch (event->data[7]) {
      case kOk:
        // Reached from a finished game: the new result is saved at once.
        if (ScreenViews()->previous == kViewGame) {
          table->Save();
          ForgetSettledResults();
        }
        ScreenViews()->GoBack();
        return kEventConsumed;
      case kReset:
        dialog = new CConfirmDialog(scene_);
        // A confirmed reset is saved at once: it must outlast a crash.
        if (dialog->Run() == 1) {
          table->Clear();
          table->Save();
          ForgetKeptResults();
        }
        delete dialog;
        dialog = nullptr;
        RedrawPage();
        return kEventConsumed;
      case kStats:
        page = kStatsPage;
        RedrawPage();
        return kEventConsumed;
      case kScore:
        page = kTablePage;
        RedrawPage();
        return kEventConsumed;
      default:
        return kEventPassOn;
    }
  }
  if (event->type == kEventPenDown && page == kTablePage &&
      ScreenSettings()->highScores->FindFirstEmpty() > 3) {
    firstRow = firstRow == 0 ? kRowsPerPage : 0;
    RedrawPage();
  }
  return kEventPassOn;
}

void CHighScoreView::Leave() {
  ClearWidgets();
  Release();
}

void CHighScoreView::Release() {
  while (widgetCount_ > 0) RemoveWidget(widgetCount_ - 1);
  for (CButton* button : {ok, reset, stats, score})
    if (button != nullptr) scene_->Remove(&button->sprite);
  DeleteSprite(scene_, backgroundSprite);
  DeleteImage(background);
  DeleteSprite(scene_, tickSprite);
  DeleteImage(tickImage);
  DeleteEditField(scene_, textField);
  DeleteFont(font);
  DeleteWidget(ok);
  DeleteWidget(reset);
  DeleteWidget(stats);
  DeleteWidget(score);
}
