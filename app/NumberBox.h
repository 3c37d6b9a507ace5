#pragma once
// The rule every number box of the windows follows for its text.

#include <cstdint>
#include <string>

// The number in a number box's text (optional blanks and sign, decimal
// digits), brought into min..max; min when the text is not a number.
int32_t NumberBoxValue(const std::string& text, int32_t min, int32_t max);
