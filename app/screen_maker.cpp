#include "app/screen_maker.h"

#include "framework/view_list.h"
#include "screens/about_view.h"
#include "screens/credits_view.h"
#include "screens/help_view.h"
#include "screens/high_score_view.h"
#include "screens/intro_view.h"
#include "screens/main_menu_view.h"
#include "screens/name_entry_view.h"
#include "screens/options_view.h"
#include "screens/pause_menu_view.h"
#include "screens/tap_to_start_view.h"

CView* MakeScreen(int id, CTileBackground* scene) {
  switch (id) {
    case kViewAbout:
      return new CAboutView(scene);
    case kViewMainMenu:
      return new CMainMenuView(scene);
    case kViewIntro:
      return new CIntroView(scene);
    case kViewOptions:
      return new COptionsView(scene);
    case kViewHighScores:
      return new CHighScoreView(scene);
    case kViewHelp:
      return new CHelpView(scene);
    case kViewCredits:
      return new CCreditsView(scene);
    case kViewNameEntry:
      return new CNameEntryView(scene);
    case kViewPauseMenu:
      return new CPauseMenuView(scene);
    case kViewTapToStart:
      return new CTapToStartView(scene);
    default:
      return nullptr;
  }
}
