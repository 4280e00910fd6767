#pragma once

#include <cstdint>

// A recording stand-in for the platform's redraw request: which ticks asked for a frame.
struct FakeRedisplay {
  static constexpr int capacity = 64;
  int requests = 0;
  std::uint64_t ticks[capacity] = {};  // tickCount at each request, the first `capacity` of them
};

extern FakeRedisplay fakeRedisplay;
