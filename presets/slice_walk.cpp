#include "presets/slice_walk.h"

#include "presets/coordinate_text.h"

namespace {

using juce::XmlElement;

// Element children only: the parser also keeps text as children.
std::vector<const XmlElement*> ChildElements(const XmlElement& parent) {
  std::vector<const XmlElement*> children;
  for (const XmlElement* child = parent.getFirstChildElement(); child != nullptr; child = child->getNextElement())
    if (!child->isTextElement()) children.push_back(child);
  return children;
}

// First child element whose tag equals `tag` in any letter case.
const XmlElement* FirstChildAnyCase(const XmlElement& parent, const char* tag) {
  for (const XmlElement* child = parent.getFirstChildElement(); child != nullptr; child = child->getNextElement())
    if (!child->isTextElement() && child->getTagName().equalsIgnoreCase(tag)) return child;
  return nullptr;
}

// First child element whose first "name" attribute is exactly `name`.
const XmlElement* FirstChildNamed(const XmlElement& parent, const char* name) {
  for (const XmlElement* child = parent.getFirstChildElement(); child != nullptr; child = child->getNextElement())
    if (!child->isTextElement() && child->getStringAttribute("name") == name) return child;
  return nullptr;
}

float AttributeAt(const XmlElement& element, int index) {
  return index < element.getNumAttributes() ? ParseCoordinate(element.getAttributeValue(index)) : 0.0f;
}

// The four corners from the first four child elements, stored in the order first, second,
// fourth, third; false when there are fewer than four.
bool ReadRectangle(const XmlElement& rect, SlicePoint (&points)[4]) {
  const XmlElement* children[4] = {};
  int count = 0;
  for (const XmlElement* child = rect.getFirstChildElement(); child != nullptr && count < 4;
       child = child->getNextElement())
    if (!child->isTextElement()) children[count++] = child;
  if (count < 4) return false;
  static const int kSourceOfCorner[4] = {0, 1, 3, 2};
  for (int corner = 0; corner < 4; ++corner) {
    const XmlElement& point = *children[kSourceOfCorner[corner]];
    points[corner].x = AttributeAt(point, 0);
    points[corner].y = AttributeAt(point, 1);
  }
  return true;
}

void AppendScreen(const XmlElement& screen, std::vector<SliceRecord>& out) {
  const XmlElement* layers = FirstChildAnyCase(screen, "layers");
  if (layers == nullptr) return;
  std::vector<const XmlElement*> children = ChildElements(*layers);
  bool screenEntryAdded = false;
  for (auto it = children.rbegin(); it != children.rend(); ++it) {
    const XmlElement& slice = **it;
    if (slice.getTagName() != "Slice") continue;
    const XmlElement* inputRect = FirstChildAnyCase(slice, "InputRect");
    const XmlElement* outputRect = FirstChildAnyCase(slice, "OutputRect");
    if (inputRect == nullptr || outputRect == nullptr) continue;
    SliceRecord record;
    if (!ReadRectangle(*inputRect, record.inputRect) || !ReadRectangle(*outputRect, record.outputRect)) continue;
    if (!screenEntryAdded) {
      SliceRecord entry;
      entry.screenName = screen.getStringAttribute("name").toStdString();
      out.push_back(entry);
      screenEntryAdded = true;
    }
    const XmlElement* common = FirstChildNamed(slice, "Common");
    if (common == nullptr) continue;
    if (const XmlElement* name = FirstChildNamed(*common, "Name"))
      record.sliceName = name->getStringAttribute("value").toStdString();
    out.push_back(record);
  }
}

}  // namespace

std::vector<SliceRecord> CollectSlices(const juce::XmlElement& root) {
  std::vector<SliceRecord> out;
  const XmlElement* setup = FirstChildAnyCase(root, "ScreenSetup");
  const XmlElement* screens = setup != nullptr ? FirstChildAnyCase(*setup, "screens") : nullptr;
  if (screens == nullptr) return out;
  for (const XmlElement* screen : ChildElements(*screens))
    if (screen->getTagName() == "Screen") AppendScreen(*screen, out);
  return out;
}
