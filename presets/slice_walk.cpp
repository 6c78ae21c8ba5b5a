#include "presets/slice_walk.h"

#include "presets/coordinate_text.h"
#include "presets/walk_places.h"

namespace {

using juce::XmlElement;

constexpr const WalkRule& kScreenSetup = RuleFor(WalkPlace::ScreenSetup);
constexpr const WalkRule& kScreens = RuleFor(WalkPlace::Screens);
constexpr const WalkRule& kScreen = RuleFor(WalkPlace::Screen);
constexpr const WalkRule& kLayers = RuleFor(WalkPlace::Layers);
constexpr const WalkRule& kSlice = RuleFor(WalkPlace::Slice);
constexpr const WalkRule& kInputRect = RuleFor(WalkPlace::InputRect);
constexpr const WalkRule& kOutputRect = RuleFor(WalkPlace::OutputRect);
constexpr const WalkRule& kCommon = RuleFor(WalkPlace::Common);
constexpr const WalkRule& kCorner = RuleFor(WalkPlace::Corner);
constexpr const WalkRule& kNameEntry = RuleFor(WalkPlace::NameEntry);
static_assert(kScreenSetup.parent == WalkPlace::Root && kScreens.parent == WalkPlace::ScreenSetup &&
                  kScreen.parent == WalkPlace::Screens && kLayers.parent == WalkPlace::Screen &&
                  kSlice.parent == WalkPlace::Layers && kInputRect.parent == WalkPlace::Slice &&
                  kOutputRect.parent == WalkPlace::Slice && kCommon.parent == WalkPlace::Slice &&
                  kNameEntry.parent == WalkPlace::Common,
              "the walk descends as the table says");
static_assert(kCorner.count == 4 && kCorner.attributesByPosition == 2, "a corner is four points of x and y");

// True when the rule finds the child element among its siblings.
bool Finds(const WalkRule& rule, const XmlElement& child) {
  switch (rule.by) {
    case FoundBy::TagAnyCase: return child.getTagName().equalsIgnoreCase(rule.key);
    case FoundBy::Tag: return child.getTagName() == rule.key;
    case FoundBy::Name: return child.getStringAttribute(kNameAttribute) == rule.key;
    case FoundBy::Root:
    case FoundBy::Position: break;
  }
  return false;
}

// Element children only: the parser also keeps text as children.
std::vector<const XmlElement*> ChildElements(const XmlElement& parent) {
  std::vector<const XmlElement*> children;
  for (const XmlElement* child = parent.getFirstChildElement(); child != nullptr; child = child->getNextElement())
    if (!child->isTextElement()) children.push_back(child);
  return children;
}

// The first child element that the rule finds.
const XmlElement* FirstFound(const XmlElement& parent, const WalkRule& rule) {
  for (const XmlElement* child = parent.getFirstChildElement(); child != nullptr; child = child->getNextElement())
    if (!child->isTextElement() && Finds(rule, *child)) return child;
  return nullptr;
}

float AttributeAt(const XmlElement& element, int index) {
  return index < element.getNumAttributes() ? ParseCoordinate(element.getAttributeValue(index)) : 0.0f;
}

// The four corners from the first four child elements, stored in the order first, second,
// fourth, third; false when there are fewer than four.
bool ReadRectangle(const XmlElement& rect, SlicePoint (&points)[4]) {
  const XmlElement* children[kCorner.count] = {};
  int count = 0;
  for (const XmlElement* child = rect.getFirstChildElement(); child != nullptr && count < kCorner.count;
       child = child->getNextElement())
    if (!child->isTextElement()) children[count++] = child;
  if (count < kCorner.count) return false;
  static const int kSourceOfCorner[4] = {0, 1, 3, 2};
  for (int corner = 0; corner < 4; ++corner) {
    const XmlElement& point = *children[kSourceOfCorner[corner]];
    points[corner].x = AttributeAt(point, 0);
    points[corner].y = AttributeAt(point, 1);
  }
  return true;
}

void AppendScreen(const XmlElement& screen, std::vector<SliceRecord>& out) {
  const XmlElement* layers = FirstFound(screen, kLayers);
  if (layers == nullptr) return;
  std::vector<const XmlElement*> children = ChildElements(*layers);
  bool screenEntryAdded = false;
  for (auto it = children.rbegin(); it != children.rend(); ++it) {
    const XmlElement& slice = **it;
    if (!Finds(kSlice, slice)) continue;
    const XmlElement* inputRect = FirstFound(slice, kInputRect);
    const XmlElement* outputRect = FirstFound(slice, kOutputRect);
    if (inputRect == nullptr || outputRect == nullptr) continue;
    SliceRecord record;
    if (!ReadRectangle(*inputRect, record.inputRect) || !ReadRectangle(*outputRect, record.outputRect)) continue;
    if (!screenEntryAdded) {
      SliceRecord entry;
      entry.screenName = screen.getStringAttribute(kScreen.readAttribute).toStdString();
      out.push_back(entry);
      screenEntryAdded = true;
    }
    const XmlElement* common = FirstFound(slice, kCommon);
    if (common == nullptr) continue;
    if (const XmlElement* name = FirstFound(*common, kNameEntry))
      record.sliceName = name->getStringAttribute(kNameEntry.readAttribute).toStdString();
    out.push_back(record);
  }
}

}  // namespace

std::vector<SliceRecord> CollectSlices(const juce::XmlElement& root) {
  std::vector<SliceRecord> out;
  const XmlElement* setup = FirstFound(root, kScreenSetup);
  const XmlElement* screens = setup != nullptr ? FirstFound(*setup, kScreens) : nullptr;
  if (screens == nullptr) return out;
  for (const XmlElement* screen : ChildElements(*screens))
    if (Finds(kScreen, *screen)) AppendScreen(*screen, out);
  return out;
}
