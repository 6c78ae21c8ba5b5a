#include "presets/xml_prescan.h"

#include <cstring>
#include <optional>

PrescanResult PrescanXml(const char* text, int depthLimit, bool markUnread) {
  DepthGuard guard(depthLimit);
  std::optional<UnreadCuts> unread;
  if (markUnread) unread.emplace(text, guard);
  MarkupWalk walk = WalkMarkup(text, guard, unread ? &*unread : nullptr);
  PrescanResult result;
  result.verdict = walk.verdict;
  result.maxDepth = guard.Deepest();
  result.problem = std::move(walk.problem);
  if (unread && walk.verdict == PrescanVerdict::Parseable) result.cuts = std::move(unread->Cuts());
  result.recheckAfterCuts = walk.instructionInsideRoot && !result.cuts.empty();
  return result;
}

PrescanResult PrescanXml(const juce::String& text, int depthLimit, bool markUnread) {
  return PrescanXml(text.toRawUTF8(), depthLimit, markUnread);
}

size_t ApplyCutsInPlace(char* text, size_t length, const std::vector<TextCut>& cuts) {
  size_t written = 0, from = 0;
  for (const TextCut& cut : cuts) {
    std::memmove(text + written, text + from, cut.begin - from);
    written += cut.begin - from;
    if (cut.closesElement) {
      text[written++] = '/';
      text[written++] = '>';
    }
    from = cut.end;
  }
  std::memmove(text + written, text + from, length - from);
  written += length - from;
  text[written] = 0;
  return written;
}

std::string ApplyCuts(const juce::String& text, const std::vector<TextCut>& cuts) {
  std::string reduced(text.toRawUTF8());
  reduced.resize(ApplyCutsInPlace(reduced.data(), reduced.size(), cuts));
  return reduced;
}
