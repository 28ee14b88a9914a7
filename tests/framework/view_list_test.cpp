#include "framework/view_list.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/view.h"

namespace {

// A view that records what happens to it and answers with a set result.
class RecordingView : public CView {
 public:
  RecordingView(std::string name, std::vector<std::string>* log)
      : name_(std::move(name)), log_(log) {}
  void Enter() override { log_->push_back(name_ + ".Enter"); }
  void Leave() override { log_->push_back(name_ + ".Leave"); }
  int HandleEvent(InputEvent* event) override {
    log_->push_back(name_ + ".Handle" + std::to_string(event->type));
    if (onEvent) onEvent();
    return result;
  }
  int result = kEventPassOn;
  std::function<void()> onEvent;

 private:
  std::string name_;
  std::vector<std::string>* log_;
};

class ViewListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    list_.AddView(&a_, 2);
    list_.AddView(&b_, 7);
    list_.AddView(&c_, 9);
    list_.StartView(2);
    log_.clear();
  }
  int Pass(std::uint32_t type = kEventNone) {
    InputEvent event{};
    event.type = type;
    return list_.Dispatch(&event);
  }
  std::vector<std::string> log_;
  RecordingView a_{"a", &log_}, b_{"b", &log_}, c_{"c", &log_};
  CViewList list_;
};

TEST_F(ViewListTest, SwitchHappensAtTheNextEventInLeaveEnterHandleOrder) {
  a_.onEvent = [&] { list_.SwitchTo(7, 0); };
  Pass();
  EXPECT_EQ(log_, (std::vector<std::string>{"a.Handle0"}));
  a_.onEvent = nullptr;
  log_.clear();
  Pass(kEventPenDown);
  EXPECT_EQ(log_, (std::vector<std::string>{"a.Leave", "b.Enter", "b.Handle20"}));
  EXPECT_EQ(list_.current, 7);
  EXPECT_EQ(list_.previous, 2);
  EXPECT_EQ(list_.historyCount, 0);
}

TEST_F(ViewListTest, OnlyTheLastOfTwoRequestsCounts) {
  a_.onEvent = [&] {
    list_.SwitchTo(7, 0);
    list_.SetNextView(9);
  };
  Pass();
  a_.onEvent = nullptr;
  Pass();
  EXPECT_EQ(list_.current, 9);
  EXPECT_EQ(list_.previous, 2);
}

TEST_F(ViewListTest, GoBackWithAnEmptyHistoryDoesNothing) {
  list_.GoBack();
  Pass();
  EXPECT_EQ(list_.current, 2);
  EXPECT_EQ(list_.next, 2);
  EXPECT_EQ(log_, (std::vector<std::string>{"a.Handle0"}));
}

TEST_F(ViewListTest, HistoryStopsAtNineteen) {
  for (int i = 0; i < 21; ++i) {
    list_.PushHistory(static_cast<std::uint8_t>(i));
    if (i >= 19) {
      EXPECT_EQ(list_.historyCount, 19);
    }
  }
  EXPECT_EQ(list_.history[19], 20);  // the newest overwrote the last slot
  EXPECT_EQ(list_.PopHistory(), 18);
}

TEST_F(ViewListTest, QuitLeavesTheCurrentViewOnce) {
  a_.result = kEventQuit;
  EXPECT_EQ(Pass(), kEventQuit);
  EXPECT_EQ(log_, (std::vector<std::string>{"a.Handle0", "a.Leave"}));
}

TEST_F(ViewListTest, MissingViewsAreRefusedAndNothingChanges) {
  list_.SwitchTo(3, 1);
  EXPECT_EQ(list_.next, 2);
  EXPECT_EQ(list_.historyCount, 0);
  list_.SetNextView(4);
  EXPECT_EQ(list_.next, 2);
  RecordingView extra{"x", &log_};
  list_.AddView(&extra, 20);
  for (CView* v : list_.views) EXPECT_NE(v, &extra);
}

}  // namespace
