// View 7: the high-score table and, on a second page, the statistics of the
// last game. Entering it after a game puts the new result into the table.
#pragma once

#include <cstdint>

#include "framework/view.h"
#include "persistence/high_score_table.h"

class CButton;
class CConfirmDialog;
class CEditField;
class CImage;
class CPictureFont;
class CSprite;
class CTileBackground;

class CHighScoreView : public CView {
 public:
  enum : std::uint16_t { kOk = 0, kReset = 1, kStats = 2, kScore = 3 };
  enum : std::uint8_t { kTablePage = 0, kStatsPage = 1 };
  static constexpr int kRowsPerPage = 5;

  explicit CHighScoreView(CTileBackground* scene);
  ~CHighScoreView() override;

  void Enter() override;
  void Leave() override;
  int HandleEvent(InputEvent* event) override;

  // Writes text once into the frame so that the player starts reading it at
  // (x, y): it occupies the rows from y - length up to y.
  void DrawText(const char16_t* text, int x, int y);
  // Draws the current page.
  void ShowTable();

  CImage* background = nullptr;
  CSprite* backgroundSprite = nullptr;  // drawn into the frame, not on the scene
  CButton* ok = nullptr;
  CButton* reset = nullptr;
  CButton* stats = nullptr;
  CButton* score = nullptr;
  CPictureFont* font = nullptr;
  CEditField* textField = nullptr;
  CImage* tickImage = nullptr;  // marks the newest entry
  CSprite* tickSprite = nullptr;
  HighScoreEntry newEntry = {};
  std::int8_t firstRow = 0;  // 0 or 5
  std::uint8_t page = kTablePage;
  CConfirmDialog* dialog = nullptr;  // only while it runs

 private:
  void ShowStatistics();
  void ShowEntries();
  void DrawRow(const HighScoreEntry& entry, int index, int row);
  // Puts the button into the widget list and on the scene unless it is there.
  void Include(CButton* button);
  // Takes the button out of the widget list and off the scene if it is there.
  void Exclude(CButton* button);
  void RedrawPage();
  void Release();
};
