#include "app/dispatcher.h"

#include "framework/view.h"
#include "framework/view_list.h"

int CDispatcher::Dispatch(InputEvent* event) {
  int result = viewList_->Dispatch(event);
  if (result == kEventConsumed) return 1;
  if (result == kEventQuit) return 0;
  return 1;
}
