#include "tools/preview/scene_settings.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace preview {
namespace {

std::string Trim(const std::string& text) {
  const char* blanks = " \t\r\n";
  const size_t first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// A whole number of at most five digits, for sizes.
bool ParseSide(const std::string& text, int& side) {
  if (text.empty() || text.size() > 5) return false;
  side = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    side = side * 10 + (c - '0');
  }
  return side >= 1 && side <= 16384;
}

}  // namespace

CommandStatus ParseSetting(const std::string& text, const std::string& origin, Setting& setting) {
  const size_t equals = text.find('=');
  if (equals == std::string::npos)
    return CommandStatus::Fail(kExitBadRequest, origin + ": expected Name=value, got \"" + text + "\"");
  setting.name = Trim(text.substr(0, equals));
  setting.value = Trim(text.substr(equals + 1));
  setting.origin = origin;
  if (setting.name.empty())
    return CommandStatus::Fail(kExitBadRequest, origin + ": no parameter name before '=' in \"" + text + "\"");
  return CommandStatus::Ok();
}

CommandStatus ReadSceneFile(const std::string& path, std::vector<Setting>& settings) {
  std::ifstream file(std::filesystem::u8path(path), std::ios::binary);
  if (!file) return CommandStatus::Fail(kExitBadRequest, "cannot read scene file " + path + ": " + std::strerror(errno));
  std::string line;
  for (int number = 1; std::getline(file, line); ++number) {
    if (number == 1 && line.compare(0, 3, "\xEF\xBB\xBF") == 0) line.erase(0, 3);
    const std::string content = Trim(line);
    if (content.empty() || content[0] == '#') continue;
    Setting setting;
    CommandStatus status = ParseSetting(content, path + ":" + std::to_string(number), setting);
    if (!status.ok()) return status;
    settings.push_back(setting);
  }
  return CommandStatus::Ok();
}

CommandStatus ParseSize(const std::string& text, int& width, int& height) {
  const size_t x = text.find_first_of("xX");
  if (x == std::string::npos || !ParseSide(text.substr(0, x), width) || !ParseSide(text.substr(x + 1), height))
    return CommandStatus::Fail(kExitBadRequest,
                               "size \"" + text + "\": expected WxH, whole numbers from 1 to 16384 (e.g. 1920x1080)");
  return CommandStatus::Ok();
}

}  // namespace preview
