#include "fake_pointer.h"

#include "pointer.h"

FakePointer fakePointer;

bool readPointer(int& x, int& y) {
  ++fakePointer.reads;
  if (!fakePointer.readable) return false;
  x = fakePointer.x;
  y = fakePointer.y;
  return true;
}

void movePointer(int x, int y) {
  ++fakePointer.moves;
  fakePointer.x = x;
  fakePointer.y = y;
}

void showCursor(bool visible) {
  if (visible) {
    ++fakePointer.showRequests;
  } else {
    ++fakePointer.hideRequests;
  }
}
