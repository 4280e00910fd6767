#include "parse_integer.h"

#include <cerrno>
#include <cstdlib>

bool parseInteger(long long& out, const char* text, long long low, long long high) {
  if (text == nullptr || *text == '\0') {
    return false;
  }
  errno = 0;
  char* end = nullptr;
  const long long value = std::strtoll(text, &end, 10);
  if (errno != 0 || *end != '\0' || value < low || value > high) {
    return false;
  }
  out = value;
  return true;
}
