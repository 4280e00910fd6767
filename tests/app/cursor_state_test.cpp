// The cursor's shown state as mouse look asks for it on every tick: the platform hears of changes
// only, so a counting ShowCursor stays at "shown" or "hidden by one".

#include <gtest/gtest.h>

#include "cursor_state.h"

namespace {

// Windows' ShowCursor: TRUE raises the display counter, FALSE lowers it; the cursor shows while
// the counter is not negative.
struct DisplayCounter {
  int count = 0;
  int calls = 0;
  bool shows() const { return count >= 0; }
};

// What a pointer layer does on each request: asks the platform only on a change.
void request(CursorState& state, DisplayCounter& counter, bool visible) {
  if (!changeCursor(state, visible)) return;
  counter.count += visible ? 1 : -1;
  ++counter.calls;
}

TEST(CursorState, TheCursorComesBackOnTheFirstTickAfterALongLook) {
  CursorState state;
  DisplayCounter counter;
  for (int tick = 0; tick < 100; ++tick) request(state, counter, true);  // mouse look off
  EXPECT_EQ(counter.calls, 0) << "the window starts with the cursor shown";
  for (int tick = 0; tick < 1000; ++tick) request(state, counter, false);  // on
  EXPECT_FALSE(counter.shows());
  EXPECT_EQ(counter.count, -1);
  request(state, counter, true);  // off again: one tick
  EXPECT_TRUE(counter.shows());
  EXPECT_EQ(counter.count, 0);
  EXPECT_EQ(counter.calls, 2);
}

TEST(CursorState, EveryChangeIsPassedOnAndNothingElse) {
  // Insert pressed back and forth, with a few ticks between presses.
  const bool wanted[] = {true, false, false, true, false, true, true, true, false, false};
  const bool changes[] = {false, true, false, true, true, true, false, false, true, false};
  CursorState state;
  for (int k = 0; k < 10; ++k) {
    EXPECT_EQ(changeCursor(state, wanted[k]), changes[k]) << "request " << k;
    EXPECT_EQ(state.shown, wanted[k]) << "request " << k;
  }
}

}  // namespace
