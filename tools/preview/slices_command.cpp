// The slices command: what the effect would offer from a preset, read directly with presets/.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "presets/preset_discovery.h"
#include "presets/preset_reader.h"
#include "tools/preview/commands.h"

namespace preview {
namespace {

// The shortest decimal text that reads back as the same float.
std::string FormatNumber(float value) {
  char text[32];
  for (int digits = 6; digits <= 9; ++digits) {
    std::snprintf(text, sizeof text, "%.*g", digits, static_cast<double>(value));
    if (std::strtof(text, nullptr) == value) break;
  }
  return text;
}

// Length of the valid UTF-8 sequence at text[i], or 0 when the bytes there are not one.
size_t Utf8SequenceLength(const std::string& text, size_t i) {
  auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  unsigned char lead = byte(i);
  size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                                    : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
  if (length == 0 || i + length > text.size()) return 0;
  for (size_t k = 1; k < length; ++k)
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
  unsigned char second = byte(i + 1);
  if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) || (lead == 0xF0 && second < 0x90) ||
      (lead == 0xF4 && second > 0x8F))
    return 0;  // overlong forms, surrogates, beyond U+10FFFF
  return length;
}

// A JSON string literal; bytes that are not UTF-8 become U+FFFD.
std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (size_t i = 0; i < text.size();) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    size_t length = Utf8SequenceLength(text, i);
    if (length == 0) {
      out += "\xEF\xBF\xBD";
      ++i;
    } else if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
      ++i;
    } else if (c < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", c);
      out += escape;
      ++i;
    } else {
      out.append(text, i, length);
      i += length;
    }
  }
  return out + "\"";
}

std::string JsonRect(const SlicePoint (&rect)[4]) {
  std::string out = "[";
  for (int corner = 0; corner < 4; ++corner) {
    if (corner > 0) out += ", ";
    out += "[" + FormatNumber(rect[corner].x) + ", " + FormatNumber(rect[corner].y) + "]";
  }
  return out + "]";
}

std::string TextRect(const SlicePoint (&rect)[4]) {
  std::string out;
  for (int corner = 0; corner < 4; ++corner) {
    if (corner > 0) out += " ";
    out += "(" + FormatNumber(rect[corner].x) + ", " + FormatNumber(rect[corner].y) + ")";
  }
  return out;
}

void PrintJson(const OutputSetup& setup) {
  std::printf("{\"status\": %s, \"file\": %s, \"slices\": [", JsonString(DescribeReadStatus(setup.readStatus)).c_str(),
              JsonString(setup.readStatus.file).c_str());
  for (size_t i = 0; i < setup.slices.size(); ++i) {
    const SliceRecord& record = setup.slices[i];
    std::printf("%s{\"screenName\": %s, \"sliceName\": %s, \"inputRect\": %s, \"outputRect\": %s}", i > 0 ? ", " : "",
                JsonString(record.screenName).c_str(), JsonString(record.sliceName).c_str(),
                JsonRect(record.inputRect).c_str(), JsonRect(record.outputRect).c_str());
  }
  std::printf("]}\n");
}

void PrintLines(const OutputSetup& setup) {
  std::printf("file:   %s\n", setup.readStatus.file.empty() ? "(none)" : setup.readStatus.file.c_str());
  std::printf("status: %s\n", DescribeReadStatus(setup.readStatus).c_str());
  for (size_t i = 0; i < setup.slices.size(); ++i) {
    const SliceRecord& record = setup.slices[i];
    if (record.IsScreenEntry())
      std::printf("%3zu  screen  %s\n", i + 1, record.screenName.c_str());
    else
      std::printf("%3zu  slice   %s  in %s  out %s\n", i + 1, record.sliceName.c_str(), TextRect(record.inputRect).c_str(),
                  TextRect(record.outputRect).c_str());
  }
}

}  // namespace

int RunSlices(const SlicesRequest& request) {
  OutputSetup setup;
  if (!request.presetFile.empty())
    ReadPreset(setup, request.presetFile);
  else if (!request.documentsFolder.empty())
    RefreshPresetIn(setup, request.documentsFolder);
  else
    RefreshPreset(setup);
  if (request.json)
    PrintJson(setup);
  else
    PrintLines(setup);
  return setup.readStatus.outcome == ReadOutcome::Read ? 0 : 3;
}

}  // namespace preview
