#pragma once

// A recording stand-in for the platform's pointer, for driving mouse look without an X server.
struct FakePointer {
  int x = 200;
  int y = 200;
  bool readable = true;
  int reads = 0;
  int moves = 0;
  int showRequests = 0;
  int hideRequests = 0;
};

extern FakePointer fakePointer;
