#include "fake_redisplay.h"

#include "idle_tick.h"
#include "redisplay.h"

FakeRedisplay fakeRedisplay;

void requestRedisplay() {
  if (fakeRedisplay.requests < FakeRedisplay::capacity)
    fakeRedisplay.ticks[fakeRedisplay.requests] = tickCount;
  ++fakeRedisplay.requests;
}
