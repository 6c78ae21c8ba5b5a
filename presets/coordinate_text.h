// Coordinate texts of a preset as 32-bit floats, read as the library's number reader reads them.
#pragma once

#include <juce_core/juce_core.h>

// A coordinate text as a 32-bit float: leading blanks skipped, 0 for text that is not a finite
// number in float range, also for one whose exponent has more than eight significant digits.
float ParseCoordinate(const juce::String& text);

// The same, read by the library's number reader alone; ParseCoordinate leaves it the rare texts
// that its own reading does not cover (characters beyond ASCII, more than 18 digits, ...).
float ParseCoordinateByLibrary(const juce::String& text);
