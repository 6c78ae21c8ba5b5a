#include "presets/walk_places.h"

#include <array>

#include <juce_core/juce_core.h>

// The walk's table, the markup walker (presets/markup_walker.cpp) and the number reader
// (presets/coordinate_text.cpp) follow the grammar, letter-case rules and number reading of one version of
// the core library's parser, and another version may read otherwise.
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

Match NameIs(const StartTagFacts& element, std::string_view expected) {
  if (!element.hasName) return Match::No;
  if (element.name.find('&') != std::string_view::npos) return Match::Unsure;
  return element.name == expected ? Match::Yes : Match::No;
}

Match Finds(const WalkRule& rule, const StartTagFacts& child, int index) {
  switch (rule.by) {
    case FoundBy::Root: return Match::Yes;
    case FoundBy::TagAnyCase: return TagIgnoringCase(child.tag, rule.key);
    case FoundBy::Tag: return child.tag == rule.key ? Match::Yes : Match::No;
    case FoundBy::Name: return NameIs(child, rule.key);
    case FoundBy::Position: return index < rule.count ? Match::Yes : Match::No;
  }
  return Match::Unsure;
}

constexpr int kPlaces = static_cast<int>(WalkPlace::Kept) + 1;
constexpr int kRules = static_cast<int>(sizeof(kWalkRules) / sizeof(kWalkRules[0]));

// The rules under each parent, which stand together in the table.
struct RuleRange {
  int begin = 0, end = 0;
};

constexpr std::array<RuleRange, kPlaces> RulesByParent() {
  std::array<RuleRange, kPlaces> ranges{};
  for (int i = kRules - 1; i >= 0; --i) {
    RuleRange& range = ranges[static_cast<int>(kWalkRules[i].parent)];
    if (range.end == 0) range.end = i + 1;
    range.begin = i;
  }
  return ranges;
}
constexpr std::array<RuleRange, kPlaces> kRulesByParent = RulesByParent();

constexpr bool RulesOfAParentStandTogether() {
  for (int i = 0; i < kRules; ++i) {
    const RuleRange range = kRulesByParent[static_cast<int>(kWalkRules[i].parent)];
    if (i < range.begin || i >= range.end) return false;
    for (int j = range.begin; j < range.end; ++j)
      if (kWalkRules[j].parent != kWalkRules[i].parent) return false;
  }
  return true;
}
static_assert(RulesOfAParentStandTogether(), "the rules under one parent stand together in the table");

constexpr AttributesRead AttributesOf(WalkPlace place) {
  AttributesRead read;
  if (place == WalkPlace::Document || place == WalkPlace::Unread || place == WalkPlace::Kept) return read;
  const WalkRule& rule = RuleFor(place);
  read.all = false;
  int names = 0;
  if (rule.by == FoundBy::Name) read.byName[names++] = kNameAttribute;
  if (rule.readAttribute != nullptr) read.byName[names++] = rule.readAttribute;
  read.byPosition = rule.attributesByPosition;
  return read;
}

constexpr std::array<AttributesRead, kPlaces> AttributesByPlace() {
  std::array<AttributesRead, kPlaces> read{};
  for (int place = 0; place < kPlaces; ++place) read[place] = AttributesOf(static_cast<WalkPlace>(place));
  return read;
}
constexpr std::array<AttributesRead, kPlaces> kAttributesRead = AttributesByPlace();

// The rules that reach one place must agree on what they read there.
constexpr bool RulesAgreeOnAttributes() {
  for (const WalkRule& rule : kWalkRules) {
    const WalkRule& first = RuleFor(rule.place);
    if ((rule.by == FoundBy::Name) != (first.by == FoundBy::Name) || rule.readAttribute != first.readAttribute ||
        rule.attributesByPosition != first.attributesByPosition)
      return false;
  }
  return true;
}
static_assert(RulesAgreeOnAttributes(), "every rule that reaches a place reads the same attributes there");

}  // namespace

WalkPlace PlaceOfChild(WalkPlace parent, const StartTagFacts& child, int index) {
  if (parent == WalkPlace::Kept) return WalkPlace::Kept;
  const RuleRange rules = kRulesByParent[static_cast<int>(parent)];
  WalkPlace found = WalkPlace::Unread;
  for (int i = rules.begin; i < rules.end; ++i) {
    const WalkRule& rule = kWalkRules[i];
    switch (Finds(rule, child, index)) {
      case Match::No: break;
      case Match::Unsure: return WalkPlace::Kept;
      case Match::Yes:
        if (found != WalkPlace::Unread && found != rule.place) return WalkPlace::Kept;
        found = rule.place;
        break;
    }
  }
  return found;
}

bool ContentIsRead(WalkPlace place) {
  return place == WalkPlace::Kept || kRulesByParent[static_cast<int>(place)].end != 0;
}

AttributesRead AttributesReadAt(WalkPlace place) { return kAttributesRead[static_cast<int>(place)]; }
