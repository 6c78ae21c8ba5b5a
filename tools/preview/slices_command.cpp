// The slices command: what the effect would offer from a preset, read directly with presets/.
#include <cstdio>
#include <ctime>
#include <string>

#include "presets/preset_discovery.h"
#include "presets/preset_document.h"
#include "presets/preset_reader.h"
#include "tools/caller/platform_text.h"
#include "tools/preview/command_status.h"
#include "tools/preview/commands.h"
#include "tools/preview/json_text.h"
#include "tools/preview/scene_settings.h"
#include "tools/preview/slices_svg.h"

namespace preview {
namespace {

std::string JsonRect(const SlicePoint (&rect)[4]) {
  std::string out = "[";
  for (int corner = 0; corner < 4; ++corner) {
    if (corner > 0) out += ", ";
    out += "[" + JsonNumber(rect[corner].x) + ", " + JsonNumber(rect[corner].y) + "]";
  }
  return out + "]";
}

std::string TextRect(const SlicePoint (&rect)[4]) {
  std::string out;
  for (int corner = 0; corner < 4; ++corner) {
    if (corner > 0) out += " ";
    out += "(" + JsonNumber(rect[corner].x) + ", " + JsonNumber(rect[corner].y) + ")";
  }
  return out;
}

// The last-write time of the preset the read was about, in UTC; empty when there is no such file.
std::string WrittenText(const OutputSetup& setup) {
  if (setup.readStatus.file.empty()) return {};
  const juce::File file = FileAtPath(setup.readStatus.file);
  if (!file.existsAsFile()) return {};
  const auto seconds = static_cast<std::time_t>(file.getLastModificationTime().toMilliseconds() / 1000);
  const std::tm* utc = std::gmtime(&seconds);
  char text[32] = {};
  if (!utc || std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S UTC", utc) == 0) return {};
  return text;
}

void PrintJson(const OutputSetup& setup) {
  const std::string written = WrittenText(setup);
  std::printf("{\"status\": %s, \"file\": %s, \"written\": %s, \"slices\": [",
              JsonString(DescribeReadStatus(setup.readStatus)).c_str(), JsonString(setup.readStatus.file).c_str(),
              written.empty() ? "null" : JsonString(written).c_str());
  for (size_t i = 0; i < setup.slices.size(); ++i) {
    const SliceRecord& record = setup.slices[i];
    std::printf("%s{\"screenName\": %s, \"sliceName\": %s, \"inputRect\": %s, \"outputRect\": %s}", i > 0 ? ", " : "",
                JsonString(record.screenName).c_str(), JsonString(record.sliceName).c_str(),
                JsonRect(record.inputRect).c_str(), JsonRect(record.outputRect).c_str());
  }
  std::printf("]}\n");
}

void PrintLines(const OutputSetup& setup) {
  const std::string written = WrittenText(setup);
  std::printf("file:    %s\n", setup.readStatus.file.empty() ? "(none)" : setup.readStatus.file.c_str());
  std::printf("written: %s\n", written.empty() ? "(none)" : written.c_str());
  std::printf("status:  %s\n", DescribeReadStatus(setup.readStatus).c_str());
  for (size_t i = 0; i < setup.slices.size(); ++i) {
    const SliceRecord& record = setup.slices[i];
    if (record.IsScreenEntry())
      std::printf("%3zu  screen  %s\n", i + 1, record.screenName.c_str());
    else
      std::printf("%3zu  slice   %s  in %s  out %s\n", i + 1, record.sliceName.c_str(), TextRect(record.inputRect).c_str(),
                  TextRect(record.outputRect).c_str());
  }
}

// Writes the SVG picture of the slices; false, with a message, when it cannot.
bool WriteSvg(const SlicesRequest& request, const OutputSetup& setup) {
  int width = 0;
  int height = 0;
  const CommandStatus size = ParseSize(request.size, width, height);
  if (!size.ok()) {
    std::fprintf(stderr, "error: %s\n", size.message.c_str());
    return false;
  }
  std::FILE* file = caller::OpenFile(request.svgFile, "wb");
  const std::string svg = SlicesSvg(setup.slices, width, height);
  bool written = file && std::fwrite(svg.data(), 1, svg.size(), file) == svg.size();
  if (file && std::fclose(file) != 0) written = false;
  if (!written) std::fprintf(stderr, "error: cannot write %s\n", request.svgFile.c_str());
  return written;
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
  if (!request.svgFile.empty() && !WriteSvg(request, setup)) return kExitBadRequest;
  return setup.readStatus.outcome == ReadOutcome::Read ? kExitOk : kExitPresetNotRead;
}

}  // namespace preview
