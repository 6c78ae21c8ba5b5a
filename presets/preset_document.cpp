#include "presets/preset_document.h"

#include <cstring>

#include "presets/preset_text.h"
#include "presets/xml_prescan.h"

namespace {

LoadedDocument Failure(ReadOutcome outcome, std::string detail) {
  LoadedDocument result;
  result.outcome = outcome;
  result.detail = std::move(detail);
  return result;
}

std::string TooLargeText() {
  return "larger than " + std::to_string(kMaxPresetBytes / (1024 * 1024)) + " MiB";
}

// The text without its cuts, provided that it still passes the pre-scan when it has to.
juce::String WalkedParts(const juce::String& text, const PrescanResult& scan) {
  const std::string reduced = ApplyCuts(text, scan.cuts);
  const juce::String candidate(juce::CharPointer_UTF8(reduced.data()),
                               juce::CharPointer_UTF8(reduced.data() + reduced.size()));
  if (scan.recheckAfterCuts && PrescanXml(candidate, kMaxPresetDepth).verdict != PrescanVerdict::Parseable) return text;
  return candidate;
}

}  // namespace

juce::File FileAtPath(const std::string& path) {
  juce::String text = juce::String::fromUTF8(path.c_str());
  return juce::File::isAbsolutePath(text) ? juce::File(text) : juce::File::getCurrentWorkingDirectory().getChildFile(text);
}

LoadedDocument LoadPresetDocument(const juce::File& file) {
  juce::FileInputStream stream(file);
  if (stream.failedToOpen())
    return Failure(ReadOutcome::NoFile, "cannot be opened: " + stream.getStatus().getErrorMessage().toStdString());
  if (stream.getTotalLength() > kMaxPresetBytes) return Failure(ReadOutcome::TooLarge, TooLargeText());
  juce::MemoryBlock bytes;
  // One byte more than the limit tells a file that grew since its size was taken.
  stream.readIntoMemoryBlock(bytes, kMaxPresetBytes + 1);
  if (static_cast<int64_t>(bytes.getSize()) > kMaxPresetBytes) return Failure(ReadOutcome::TooLarge, TooLargeText());
  return ParsePresetBytes(bytes.getData(), bytes.getSize());
}

LoadedDocument ParsePresetBytes(const void* data, size_t size, ParseScope scope) {
  if (size > static_cast<size_t>(kMaxPresetBytes)) return Failure(ReadOutcome::TooLarge, TooLargeText());
  const juce::String text = DecodePresetText(data, size);

  PrescanResult scan = PrescanXml(text, kMaxPresetDepth, scope == ParseScope::WalkedParts);
  switch (scan.verdict) {
    case PrescanVerdict::Parseable: break;
    case PrescanVerdict::TooDeep: {
      LoadedDocument refused = Failure(ReadOutcome::TooDeep, "elements nested deeper than " +
                                                                 std::to_string(kMaxPresetDepth) + ", " + scan.problem);
      refused.prescanDepth = scan.maxDepth;
      return refused;
    }
    case PrescanVerdict::HasDoctype: return Failure(ReadOutcome::HasDoctype, scan.problem);
    case PrescanVerdict::Malformed: return Failure(ReadOutcome::ParseFailed, scan.problem);
  }

  LoadedDocument result;
  result.prescanDepth = scan.maxDepth;
  result.textBytes = std::strlen(text.toRawUTF8());
  const juce::String parsed = scan.cuts.empty() ? text : WalkedParts(text, scan);
  result.parsedBytes = std::strlen(parsed.toRawUTF8());
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
