// What the slice walk reads of a preset document, written once: the walk finds its elements and reads
// their attributes by this table, and the pre-scan leaves out only what no rule of it reaches.
#pragma once

#include <string_view>

// Where an element stands relative to the slice walk.
enum class WalkPlace {
  Document,     // outside every element: the next element is the root
  Root,         // the document's element
  ScreenSetup,  // the screen setup under the root
  Screens,      // the list of screens
  Screen,       // one screen: its name is read
  Layers,       // a screen's list of slices
  Slice,        // one slice
  InputRect,    // the slice's input rectangle
  OutputRect,   // the slice's output rectangle
  Common,       // the slice's parameter block named "Common"
  Corner,       // one of a rectangle's corners: its coordinates are read
  NameEntry,    // the "Name" entry of the "Common" block: its value is read
  Unread,       // neither the element nor anything inside it is read
  Kept,         // the walk might read anything inside it, so all of it stays
};

// How the walk tells an element it reads from its siblings.
enum class FoundBy {
  Root,        // the document's only element
  TagAnyCase,  // its tag in any letter case; the first such child is read
  Tag,         // its tag exactly; every such child is read
  Name,        // the value of its first attribute kNameAttribute, exactly; the first such child is read
  Position,    // it is one of the first `count` child elements
};

// The attribute by which elements are found by name.
inline constexpr const char* kNameAttribute = "name";

// One kind of element the walk reads: where it stands, how it is found, and which attributes are read.
struct WalkRule {
  WalkPlace parent;
  WalkPlace place;
  FoundBy by;
  const char* key;            // the tag or name looked for; null for Root and Position
  int count;                  // for Position: how many of the first child elements
  const char* readAttribute;  // the attribute whose value the walk reads (the first of that name), or null
  int attributesByPosition;   // how many of the element's first attributes the walk reads by position
};

inline constexpr WalkRule kWalkRules[] = {
    {WalkPlace::Document, WalkPlace::Root, FoundBy::Root, nullptr, 0, nullptr, 0},
    {WalkPlace::Root, WalkPlace::ScreenSetup, FoundBy::TagAnyCase, "ScreenSetup", 0, nullptr, 0},
    {WalkPlace::ScreenSetup, WalkPlace::Screens, FoundBy::TagAnyCase, "screens", 0, nullptr, 0},
    {WalkPlace::Screens, WalkPlace::Screen, FoundBy::Tag, "Screen", 0, kNameAttribute, 0},
    {WalkPlace::Screen, WalkPlace::Layers, FoundBy::TagAnyCase, "layers", 0, nullptr, 0},
    {WalkPlace::Layers, WalkPlace::Slice, FoundBy::Tag, "Slice", 0, nullptr, 0},
    {WalkPlace::Slice, WalkPlace::InputRect, FoundBy::TagAnyCase, "InputRect", 0, nullptr, 0},
    {WalkPlace::Slice, WalkPlace::OutputRect, FoundBy::TagAnyCase, "OutputRect", 0, nullptr, 0},
    {WalkPlace::Slice, WalkPlace::Common, FoundBy::Name, "Common", 0, nullptr, 0},
    {WalkPlace::InputRect, WalkPlace::Corner, FoundBy::Position, nullptr, 4, nullptr, 2},
    {WalkPlace::OutputRect, WalkPlace::Corner, FoundBy::Position, nullptr, 4, nullptr, 2},
    {WalkPlace::Common, WalkPlace::NameEntry, FoundBy::Name, "Name", 0, "value", 0},
};

// The rule that finds the elements at `place`, one of the places the table reaches.
constexpr const WalkRule& RuleFor(WalkPlace place) {
  for (const WalkRule& rule : kWalkRules)
    if (rule.place == place) return rule;
  return kWalkRules[0];
}

// What the start tag of an element says, as raw UTF-8 bytes of the text.
struct StartTagFacts {
  std::string_view tag;
  bool hasName = false;   // the element has an attribute kNameAttribute
  std::string_view name;  // the raw value of the first one
};

// Place of an element that is child number `index` (0-based, elements only) of one at `parent`: the place of
// the one rule that finds it, Kept when more than one might, Unread when none does.
WalkPlace PlaceOfChild(WalkPlace parent, const StartTagFacts& child, int index);

// False where the walk reads nothing inside the element: its content may go.
bool ContentIsRead(WalkPlace place);

// Which attributes of an element the slice walk reads; the others may go.
struct AttributesRead {
  bool all = true;                         // it might read any of them
  const char* byName[2] = {};              // it reads the first attribute of each of these names
  int byPosition = 0;                      // and the first this many
};

// The attributes the walk reads of an element at `place`.
AttributesRead AttributesReadAt(WalkPlace place);
