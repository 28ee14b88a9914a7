// The small modal question of the high-score screen: delete all records?
// It takes its events itself, so no view and not the game sees them.
#pragma once

#include "platform/types.h"

class CPicture;
class CScreen;
class CTileBackground;

class CConfirmDialog {
 public:
  // Loads the pictures; draws nothing.
  explicit CConfirmDialog(CTileBackground* scene);
  virtual ~CConfirmDialog();
  CConfirmDialog(const CConfirmDialog&) = delete;
  CConfirmDialog& operator=(const CConfirmDialog&) = delete;

  // Shows the panel and waits until the pen is lifted on one of the two
  // answers: 1 for OK, 0 for Cancel. Only the pen-up decides. When the run
  // ends while it waits (the window was closed) it answers Cancel.
  virtual int Run();

  CScreen* screen;
  CPicture* panel;          // the question and its two answers
  CPicture* okPressed;      // OK pressed
  CPicture* cancelPressed;  // Cancel pressed
  ce::RECT panelRect = {69, 75, 169, 243};
  ce::RECT okRect = {137, 190, 161, 230};
  ce::RECT cancelRect = {137, 84, 161, 170};

 private:
  void DrawPanel(const ce::RECT& presented);
};
