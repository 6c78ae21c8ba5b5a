// Coordinate texts of a preset as 32-bit floats, read the same on every platform.
#pragma once

#include <juce_core/juce_core.h>

// A coordinate text as a 32-bit float, as the library's standard build reads numbers: leading ASCII blanks
// skipped, at most 18 significant digits, 0 for text that is not a finite number in float range, also for one
// whose exponent has more than eight significant digits.
float ParseCoordinate(const juce::String& text);
