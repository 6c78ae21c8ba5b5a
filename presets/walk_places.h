// Which parts of a preset document the slice walk reads, decided element by element from the
// outside in, so that a pass over the text can leave out what the walk never looks at.
#pragma once

#include <string_view>

// Where an element stands relative to the slice walk.
enum class WalkPlace {
  Document,     // outside every element: the next element is the root
  Root,         // the root element: the walk looks for ScreenSetup among its children
  ScreenSetup,  // looked into for "screens"
  Screens,      // looked into for Screen elements
  Screen,       // looked into for "layers"
  Layers,       // looked into for Slice elements
  Slice,        // looked into for the rectangles and the "Common" block
  Common,       // looked into for the "Name" entry
  Rect,         // InputRect or OutputRect: its first four children are the corners
  Leaf,         // a corner or a "Name" entry: some of its attributes are read, nothing inside it
  Unread,       // neither the element nor anything inside it is read
  Kept,         // the walk might read anything inside it, so all of it stays
};

// What the start tag of an element says, as raw UTF-8 bytes of the text.
struct StartTagFacts {
  std::string_view tag;
  bool hasName = false;   // the element has an attribute "name"
  std::string_view name;  // the raw value of its first attribute "name"
};

// Place of an element that is child number `index` (0-based, elements only) of one at `parent`.
WalkPlace PlaceOfChild(WalkPlace parent, const StartTagFacts& child, int index);

// False where the walk reads nothing inside the element: its content may go.
bool ContentIsRead(WalkPlace place);

// Which attributes of an element the slice walk reads; the others may go.
enum class AttributesRead {
  All,           // it might read any of them
  None,          // it reads none
  FirstName,     // the first one called "name"
  NameAndValue,  // the first one called "name" and the first one called "value"
  FirstTwo,      // the first two, by position
};

// The attributes read of an element at `place` whose parent is at `parent`.
AttributesRead AttributesReadAt(WalkPlace place, WalkPlace parent);
