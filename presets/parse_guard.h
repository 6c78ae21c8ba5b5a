// The limits a preset's text must keep before the XML parser is given it: its size and how deep its
// elements nest.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Files larger than this are refused without being read: four times the 6,000-slice walls that LED-wall tools
// export (about 27 MB).
constexpr int64_t kMaxPresetBytes = 64 * 1024 * 1024;
// Documents whose elements nest deeper than this are refused without being parsed.
constexpr int kMaxPresetDepth = 256;

// True for a size in bytes that a preset may have.
constexpr bool WithinSizeLimit(int64_t bytes) { return bytes <= kMaxPresetBytes; }
constexpr bool WithinSizeLimit(size_t bytes) { return bytes <= static_cast<size_t>(kMaxPresetBytes); }

// What a refusal for size says: "larger than 64 MiB".
std::string TooLargeText();

// Keeps count of the deepest element level met (root = 1) against a limit.
class DepthGuard {
 public:
  explicit DepthGuard(int limit) : limit_(limit) {}

  // An element at `level` is met: records it, and says whether it is within the limit.
  bool Enter(int level) {
    if (level > deepest_) deepest_ = level;
    return level <= limit_;
  }

  // Elements down to `level` are met where nothing else counts them: recorded only when within the limit.
  bool EnterNested(int level) { return level <= limit_ && Enter(level); }

  int Deepest() const { return deepest_; }

 private:
  int limit_;
  int deepest_ = 0;
};
