#include "presets/walk_places.h"

#include <juce_core/juce_core.h>

// This table, the pre-scan (presets/xml_prescan.cpp) and the number reader (presets/coordinate_text.cpp) follow
// the grammar, letter-case rules and number reading of one version of the core library's parser, and another
// version may read otherwise.
static_assert(JUCE_MAJOR_VERSION == 7 && JUCE_MINOR_VERSION == 0 && JUCE_BUILDNUMBER == 5,
              "the preset reader follows the XML parser and number reader of JUCE 7.0.5: before moving this pin, "
              "run test_presets_reduction and test_presets_reader, which compare the reader with the library, and "
              "preset_reader_fuzz (tests/fuzz/run_fuzz.sh preset_reader_fuzz 3600) with the new version");

namespace {

// An answer that the raw bytes cannot always give: a tag with letters beyond ASCII may equal an
// ASCII tag in any case, and a value holding a reference is not its own text.
enum class Match { No, Yes, Unsure };

Match TagIgnoringCase(std::string_view tag, std::string_view expected) {
  for (char c : tag)
    if (static_cast<unsigned char>(c) >= 0x80) return Match::Unsure;
  if (tag.size() != expected.size()) return Match::No;
  for (size_t i = 0; i < tag.size(); ++i) {
    char a = tag[i], b = expected[i];
    if (a >= 'A' && a <= 'Z') a = static_cast<char>(a - 'A' + 'a');
    if (b >= 'A' && b <= 'Z') b = static_cast<char>(b - 'A' + 'a');
    if (a != b) return Match::No;
  }
  return Match::Yes;
}

Match NameAttribute(const StartTagFacts& element, std::string_view expected) {
  if (!element.hasName) return Match::No;
  if (element.name.find('&') != std::string_view::npos) return Match::Unsure;
  return element.name == expected ? Match::Yes : Match::No;
}

// A child looked for by a tag in any letter case.
WalkPlace ByTag(const StartTagFacts& child, std::string_view tag, WalkPlace found) {
  switch (TagIgnoringCase(child.tag, tag)) {
    case Match::Yes: return found;
    case Match::Unsure: return WalkPlace::Kept;
    case Match::No: break;
  }
  return WalkPlace::Unread;
}

WalkPlace PlaceInSlice(const StartTagFacts& child) {
  Match input = TagIgnoringCase(child.tag, "InputRect");
  Match output = TagIgnoringCase(child.tag, "OutputRect");
  Match common = NameAttribute(child, "Common");
  if (input == Match::Unsure || common == Match::Unsure) return WalkPlace::Kept;
  bool rect = input == Match::Yes || output == Match::Yes;
  if (rect && common == Match::Yes) return WalkPlace::Kept;
  if (rect) return WalkPlace::Rect;
  return common == Match::Yes ? WalkPlace::Common : WalkPlace::Unread;
}

}  // namespace

WalkPlace PlaceOfChild(WalkPlace parent, const StartTagFacts& child, int index) {
  switch (parent) {
    case WalkPlace::Document: return WalkPlace::Root;
    case WalkPlace::Root: return ByTag(child, "ScreenSetup", WalkPlace::ScreenSetup);
    case WalkPlace::ScreenSetup: return ByTag(child, "screens", WalkPlace::Screens);
    case WalkPlace::Screens: return child.tag == "Screen" ? WalkPlace::Screen : WalkPlace::Unread;
    case WalkPlace::Screen: return ByTag(child, "layers", WalkPlace::Layers);
    case WalkPlace::Layers: return child.tag == "Slice" ? WalkPlace::Slice : WalkPlace::Unread;
    case WalkPlace::Slice: return PlaceInSlice(child);
    case WalkPlace::Common:
      return NameAttribute(child, "Name") == Match::No ? WalkPlace::Unread : WalkPlace::Leaf;
    case WalkPlace::Rect: return index < 4 ? WalkPlace::Leaf : WalkPlace::Unread;
    case WalkPlace::Leaf:
    case WalkPlace::Unread: return WalkPlace::Unread;
    case WalkPlace::Kept: return WalkPlace::Kept;
  }
  return WalkPlace::Kept;
}

bool ContentIsRead(WalkPlace place) { return place != WalkPlace::Leaf && place != WalkPlace::Unread; }

AttributesRead AttributesReadAt(WalkPlace place, WalkPlace parent) {
  switch (place) {
    case WalkPlace::Root:
    case WalkPlace::ScreenSetup:
    case WalkPlace::Screens:
    case WalkPlace::Layers:
    case WalkPlace::Slice:
    // The walk asks every child of a Slice for its "name"; a rectangle's is known not to be "Common",
    // and no name is not "Common" either.
    case WalkPlace::Rect: return AttributesRead::None;
    case WalkPlace::Screen:
    case WalkPlace::Common: return AttributesRead::FirstName;
    case WalkPlace::Leaf: return parent == WalkPlace::Rect ? AttributesRead::FirstTwo : AttributesRead::NameAndValue;
    case WalkPlace::Document:
    case WalkPlace::Unread:
    case WalkPlace::Kept: return AttributesRead::All;
  }
  return AttributesRead::All;
}
