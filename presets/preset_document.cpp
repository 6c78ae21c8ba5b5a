#include "presets/preset_document.h"

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

LoadedDocument ParsePresetBytes(const void* data, size_t size) {
  if (size > static_cast<size_t>(kMaxPresetBytes)) return Failure(ReadOutcome::TooLarge, TooLargeText());
  // Decoding stops at a zero byte and turns text that is not UTF-8 into valid UTF-8. The newline
  // appended keeps the parser from stepping past the end after a character escape cut short.
  juce::String text = juce::String::createStringFromData(data, static_cast<int>(size));
  text += "\n";

  PrescanResult scan = PrescanXml(text, kMaxPresetDepth);
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

  juce::XmlDocument document(text);
  LoadedDocument result;
  result.prescanDepth = scan.maxDepth;
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
