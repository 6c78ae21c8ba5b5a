// Writes a host-shaped preset for the command-line checks:
//   mosaro_write_preset [--slices N] [--markup bare|host|full] [--cut BYTES] OUT.xml
// N slices on a grid (2 by default), the markup around them, and the file cut after BYTES bytes, as a save
// that is still being written.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/support/preset_writer.h"
#include "tools/caller/temp_folder.h"

int main(int argc, char** argv) {
  int slices = 2;
  long cut = -1;
  testsupport::PresetStyle style;
  std::string out;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    const bool valued = i + 1 < argc;
    if (argument == "--slices" && valued) {
      slices = std::atoi(argv[++i]);
    } else if (argument == "--cut" && valued) {
      cut = std::atol(argv[++i]);
    } else if (argument == "--markup" && valued) {
      const std::string markup = argv[++i];
      style.markup = markup == "host"   ? testsupport::PresetMarkup::Host
                     : markup == "full" ? testsupport::PresetMarkup::HostWithParameters
                                        : testsupport::PresetMarkup::Bare;
    } else if (out.empty() && argument[0] != '-') {
      out = argument;
    } else {
      out.clear();
      break;
    }
  }
  if (out.empty() || slices < 0) {
    std::fprintf(stderr, "usage: %s [--slices N] [--markup bare|host|full] [--cut BYTES] OUT.xml\n", argv[0]);
    return 2;
  }
  std::string text = testsupport::PresetXml(testsupport::SliceGrid(slices), style);
  if (cut >= 0 && static_cast<size_t>(cut) < text.size()) text.resize(static_cast<size_t>(cut));
  if (!caller::WriteBytes(out, text)) {
    std::fprintf(stderr, "cannot write %s\n", out.c_str());
    return 1;
  }
  return 0;
}
