// A picture of what the effect offers: each slice's input rectangle over the composition, named.
#pragma once

#include <string>
#include <vector>

#include "presets/output_setup.h"

namespace preview {

// An SVG document showing the composition (width x height pixels) and, over it, each slice's input
// rectangle with its position in the list (the value a slice choice takes) and its name, coloured by
// screen, its top-left corner marked; the screen entries are listed below the composition.
std::string SlicesSvg(const std::vector<SliceRecord>& slices, int width, int height);

}  // namespace preview
