#include "presets/preset_document.h"

#include <algorithm>
#include <cstring>

#include "presets/xml_prescan.h"

namespace {

LoadedDocument Failure(ReadOutcome outcome, std::string detail) {
  LoadedDocument result;
  result.outcome = outcome;
  result.detail = std::move(detail);
  return result;
}

juce::String TextOf(const char* text, size_t length) {
  return juce::String(juce::CharPointer_UTF8(text), juce::CharPointer_UTF8(text + length));
}

// The text without its cuts, provided that it still passes the pre-scan when it has to; the cuts
// are made in the text's own buffer when no second scan can send the parser back to the whole text.
// Sets *length to the bytes kept.
juce::String WalkedParts(PresetText& text, const PrescanResult& scan, size_t* length) {
  if (!scan.recheckAfterCuts) {
    *length = ApplyCutsInPlace(text.buffer.get(), text.length, scan.cuts);
    return TextOf(text.buffer.get(), *length);
  }
  std::string reduced(text.buffer.get(), text.length);
  reduced.resize(ApplyCutsInPlace(reduced.data(), reduced.size(), scan.cuts));
  if (PrescanXml(reduced.c_str(), kMaxPresetDepth).verdict != PrescanVerdict::Parseable) {
    *length = text.length;
    return TextOf(text.buffer.get(), text.length);
  }
  *length = reduced.size();
  return TextOf(reduced.data(), reduced.size());
}

}  // namespace

juce::File FileAtPath(const std::string& path) {
  juce::String text = juce::String::fromUTF8(path.c_str());
  return juce::File::isAbsolutePath(text) ? juce::File(text)
                                          : juce::File::getCurrentWorkingDirectory().getChildFile(text);
}

PresetFileBytes ReadPresetFile(const juce::File& file) {
  PresetFileBytes result;
  juce::FileInputStream stream(file);
  if (stream.failedToOpen()) {
    result.detail = "cannot be opened: " + stream.getStatus().getErrorMessage().toStdString();
    return result;
  }
  const int64_t length = stream.getTotalLength();
  if (!WithinSizeLimit(length)) {
    result.outcome = ReadOutcome::TooLarge;
    result.detail = TooLargeText();
    return result;
  }
  // One byte more than the size taken tells a file that grew since; it is then read to its end,
  // up to one byte more than the limit.
  PresetBytes bytes = PresetBytes::WithRoomFor(static_cast<size_t>(std::max<int64_t>(length, 0)) + 1);
  size_t filled = 0;
  for (;;) {
    const size_t room = bytes.size - filled;
    const int got = stream.read(bytes.buffer.get() + filled, static_cast<int>(room));
    if (got <= 0) break;
    filled += static_cast<size_t>(got);
    if (filled < bytes.size) continue;
    if (!WithinSizeLimit(filled)) {
      result.outcome = ReadOutcome::TooLarge;
      result.detail = TooLargeText();
      return result;
    }
    PresetBytes larger = PresetBytes::WithRoomFor(
        std::min<size_t>(filled * 2, static_cast<size_t>(kMaxPresetBytes) + 1));
    std::memcpy(larger.buffer.get(), bytes.buffer.get(), filled);
    bytes = std::move(larger);
  }
  bytes.size = filled;
  result.outcome = ReadOutcome::Read;
  result.bytes = std::move(bytes);
  return result;
}

LoadedDocument ParsePresetBytes(PresetBytes bytes, ParseScope scope) {
  if (!WithinSizeLimit(bytes.size)) return Failure(ReadOutcome::TooLarge, TooLargeText());
  PresetText text = DecodePresetBytes(std::move(bytes));

  PrescanResult scan = PrescanXml(text.buffer.get(), kMaxPresetDepth, scope == ParseScope::WalkedParts);
  switch (scan.verdict) {
    case PrescanVerdict::Parseable: break;
    case PrescanVerdict::TooDeep: {
      LoadedDocument refused = Failure(ReadOutcome::TooDeep, "elements nested deeper than " +
                                                                 std::to_string(kMaxPresetDepth) + ", " + scan.problem);
      refused.prescanDepth = scan.maxDepth;
      return refused;
    }
    case PrescanVerdict::HasDoctype: return Failure(ReadOutcome::HasDoctype, scan.problem);
    case PrescanVerdict::NotRun:
    case PrescanVerdict::Malformed: return Failure(ReadOutcome::ParseFailed, scan.problem);
  }

  LoadedDocument result;
  result.prescanDepth = scan.maxDepth;
  result.textBytes = text.length;
  result.parsedBytes = text.length;
  const juce::String parsed =
      scan.cuts.empty() ? TextOf(text.buffer.get(), text.length) : WalkedParts(text, scan, &result.parsedBytes);
  juce::XmlDocument document(parsed);
  result.root = document.getDocumentElement();
  if (result.root) {
    result.outcome = ReadOutcome::Read;
  } else {
    result.outcome = ReadOutcome::ParseFailed;
    result.detail = document.getLastParseError().toStdString();
    if (result.detail.empty()) result.detail = "no root element";
  }
  return result;
}

LoadedDocument ParsePresetBytes(const void* data, size_t size, ParseScope scope) {
  if (!WithinSizeLimit(size)) return Failure(ReadOutcome::TooLarge, TooLargeText());
  return ParsePresetBytes(CopyPresetBytes(data, size), scope);
}
