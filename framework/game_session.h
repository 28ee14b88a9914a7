// What the screens may ask of the game under way, without knowing the game
// controller behind it: the View List and the settings that it holds, and,
// for the pause menu, ending the game or hiding it behind another screen.
#pragma once

class CViewList;
class SettingsStore;

class CGameSession {
 public:
  virtual ~CGameSession() = default;

  virtual CViewList* Views() = 0;
  virtual SettingsStore* Settings() = 0;
  // Destroys the objects of play and shows the end picture.
  virtual void EndGame() = 0;
  // Takes the game's sprites off the scene while another screen shows.
  virtual void HideGame() = 0;
};

// The one session, set by the game controller for its lifetime.
extern CGameSession* g_gameSession;
