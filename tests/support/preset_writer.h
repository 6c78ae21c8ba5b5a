// Host-shaped Advanced Output preset files for the tests, the benchmarks, the frame host and the fuzzers: a list
// of screens with their slices written as XML the way the host writes it, with the variations the host's files
// show (the markup around what the effect reads, indentation, line ends, encodings).
#pragma once

#include <string>
#include <vector>

namespace testsupport {

// A point in pixels, y growing downwards.
struct PresetPoint {
  float x = 0;
  float y = 0;
};

// A rectangle's corners by name; the host writes them top-left, top-right, bottom-right, bottom-left.
struct PresetCorners {
  PresetPoint topLeft, topRight, bottomRight, bottomLeft;
};

// The upright rectangle from (x0, y0) to (x1, y1).
PresetCorners Box(float x0, float y0, float x1, float y1);

struct PresetSlice {
  std::string name;  // UTF-8
  PresetCorners input;
  PresetCorners output;
};

struct PresetScreen {
  std::string name;                 // UTF-8
  std::vector<PresetSlice> slices;  // in the file's order; the effect lists them last to first
};

// How much of what the host writes around the screens, slices and rectangles the file holds.
enum class PresetMarkup {
  Bare,  // only the elements and attributes the effect reads
  Host,  // as the host saves: version, sizes, parameter blocks, unique ids, orientations, warpers, masks, soft
         // edges and output devices (about 1.6 kB a slice)
  HostWithParameters,  // the same with the host's full parameter blocks of every slice (about 2.4 kB a slice)
  LedWallTool,  // as LED-wall mapping tools export for the host: the full parameter blocks, a 7x7 warper grid, the
                // homography and a mask outline of 16 points (about 4.5 kB a slice, tab-indented)
};

enum class PresetEncoding {
  Utf8,
  Utf8WithBom,
  Utf16LittleEndian,  // with its byte-order mark
};

struct PresetStyle {
  PresetMarkup markup = PresetMarkup::Bare;
  bool indented = false;        // one element a line, indented by `indent` a level
  std::string indent = "  ";    // "\t" as LED-wall tools write
  std::string lineEnd = "\n";   // "\r\n" as on Windows
  PresetEncoding encoding = PresetEncoding::Utf8;
  std::string documentName = "Preset";  // the name attribute of the root element
};

// The bytes of a preset file holding the screens.
std::string PresetXml(const std::vector<PresetScreen>& screens, const PresetStyle& style = {});

// One entry of the list the effect makes of a preset.
struct ListedEntry {
  std::string screenName;  // set only for a screen entry, whose corners are all 0
  std::string sliceName;
  PresetCorners input;
  PresetCorners output;
};

// What the effect lists for the screens: for each screen with a slice, its screen entry, then its slices last to
// first.
std::vector<ListedEntry> ListedEntries(const std::vector<PresetScreen>& screens);

// One screen named screenName whose slices the effect lists in the order given (they are written in reverse).
std::vector<PresetScreen> ScreenListing(const std::string& screenName, std::vector<PresetSlice> slices);

// An LED wall: `count` slices of 120x120 pixels on a 16x9 grid, on screens of up to 25 slices ("Screen 1", ...),
// named "Slice 1", ...; each output rectangle is the input doubled.
std::vector<PresetScreen> SliceGrid(int count);

}  // namespace testsupport
