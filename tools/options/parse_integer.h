#pragma once

// Reads a whole decimal integer in [low, high] from an option's value; false for anything else
// (nothing, trailing characters, out of range), leaving out unchanged.
bool parseInteger(long long& out, const char* text, long long low, long long high);
