#include "framework/view_list.h"

#include "framework/view.h"
#include "platform/window.h"

namespace {
void Complain(const char16_t* text) { ce::MessageBoxW(nullptr, text, u"", ce::MB_OK); }
}  // namespace

void CViewList::AddView(CView* view, int id) {
  if (id < 0 || id >= kMaxViews) {
    Complain(u"More views than are permited");
    return;
  }
  views[id] = view;
}

void CViewList::StartView(int id) {
  if (!HasView(id)) {
    Complain(u"This view is not added to View List");
    return;
  }
  next = current = static_cast<std::uint8_t>(id);
  views[id]->Enter();
}

void CViewList::SetNextView(int id) {
  previous = current;
  if (!HasView(id)) {
    Complain(u"Not such View in View List");
    return;
  }
  next = static_cast<std::uint8_t>(id);
}

void CViewList::SwitchTo(int id, int push) {
  previous = current;
  if (!HasView(id)) {
    Complain(u"Not such View in View List");
    return;
  }
  next = static_cast<std::uint8_t>(id);
  if (push == 1) PushHistory(current);
}

// With an empty history there is nowhere to go back to: nothing happens.
void CViewList::GoBack() {
  if (historyCount == 0) return;
  previous = current;
  next = PopHistory();
}

void CViewList::PushHistory(std::uint8_t id) {
  history[historyCount] = id;
  historyCount += 1;
  if (historyCount >= kHistorySize) historyCount = kHistorySize - 1;
}

std::uint8_t CViewList::PopHistory() {
  if (historyCount == 0) return current;
  historyCount -= 1;
  return history[historyCount];
}

int CViewList::Dispatch(InputEvent* event) {
  if (views[current] == nullptr || views[next] == nullptr) return kEventPassOn;
  int result;
  if (current == next) {
    result = views[current]->HandleEvent(event);
  } else {
    views[current]->Leave();
    current = next;
    views[current]->Enter();
    event->type = kEventViewEntered;
    result = views[current]->HandleEvent(event);
  }
  if (result == kEventQuit) views[current]->Leave();
  return result;
}
