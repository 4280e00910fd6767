// The cursor's shown state as mouse look asks for it on every tick, against a display counter
// that counts as Windows' ShowCursor does: the platform hears of changes only, and each change
// leaves the counter just on the wanted side of zero, wherever it started.

#include "cursor_state.h"

#include <gtest/gtest.h>

namespace {

// ShowCursor: TRUE raises the display counter, FALSE lowers it; the cursor shows while the
// counter is not negative.
int displayCounter = 0;
int showCalls = 0;

int countedShow(bool show) {
  ++showCalls;
  displayCounter += show ? 1 : -1;
  return displayCounter;
}

// What the Win32 pointer layer does on every request.
void request(CursorState& state, bool visible) {
  if (changeCursor(state, visible)) driveDisplayCounter(visible, countedShow);
}

bool cursorShows() { return displayCounter >= 0; }

class CursorCounter : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    displayCounter = GetParam();  // freeglut raises it to 1 when it creates the window
    showCalls = 0;
  }
};

TEST_P(CursorCounter, ALongLookHidesTheCursorAndOneTickOffShowsItAgain) {
  CursorState state;
  for (int tick = 0; tick < 100; ++tick) request(state, true);  // mouse look off
  EXPECT_EQ(showCalls, 0) << "the window starts with the cursor shown";
  EXPECT_TRUE(cursorShows());

  for (int tick = 0; tick < 1000; ++tick) request(state, false);  // on
  EXPECT_EQ(displayCounter, -1) << "hidden, and by one only";

  request(state, true);  // off again: the first tick shows it
  EXPECT_EQ(displayCounter, 0);
  const int callsForOneLook = showCalls;
  EXPECT_LE(callsForOneLook, GetParam() + 3);

  // Back and forth: every further change costs one call.
  for (int look = 0; look < 5; ++look) {
    for (int tick = 0; tick < 10; ++tick) request(state, false);
    EXPECT_FALSE(cursorShows());
    for (int tick = 0; tick < 10; ++tick) request(state, true);
    EXPECT_TRUE(cursorShows());
  }
  EXPECT_EQ(showCalls, callsForOneLook + 10);
}

INSTANTIATE_TEST_SUITE_P(StartingCounts, CursorCounter, ::testing::Values(0, 1, 3));

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
