// Replays fuzz inputs through a fuzz target's entry functions without libFuzzer (which the Windows toolchain
// lacks): every input once, in name order, then all of them again, and what the second pass leaves behind must
// be nothing: no GL object, no handle, and (where the GL driver keeps its memory apart) no heap growth.
//   host_calls_replay [FILE_OR_FOLDER...]   (without arguments: the seeds it was built with)
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "tests/support/checks.h"
#include "tests/support/gl_object_count.h"
#include "tests/support/process_resources.h"
#include "tools/caller/platform_text.h"
#include "tools/caller/temp_folder.h"

// The fuzz target's entry points; data is read during the call.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv);
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

namespace fs = std::filesystem;

// Heap bytes the second pass may add: far less than one instance or record kept per input would.
constexpr long long kHeapSlack = 4096;

std::vector<fs::path> InputsIn(const std::vector<std::string>& places) {
  std::vector<fs::path> inputs;
  for (const std::string& place : places) {
    const fs::path path = fs::u8path(place);
    std::error_code error;
    if (!fs::is_directory(path, error)) {
      inputs.push_back(path);
      continue;
    }
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(path, error))
      if (entry.is_regular_file(error)) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    inputs.insert(inputs.end(), files.begin(), files.end());
  }
  return inputs;
}

void ReplayAll(const std::vector<fs::path>& inputs) {
  for (const fs::path& input : inputs) {
    std::string bytes;
    if (!CHECK_MSG(caller::ReadBytes(input, bytes), "cannot read " + input.u8string())) continue;
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> places = caller::Utf8Arguments(argc, argv);
  places.erase(places.begin());
  if (places.empty()) places.push_back(MOSARO_REPLAY_SEEDS);
  LLVMFuzzerInitialize(&argc, &argv);
  const std::vector<fs::path> inputs = InputsIn(places);
  testsupport::checks::Group("replaying " + std::to_string(inputs.size()) + " inputs");
  CHECK(!inputs.empty());
  ReplayAll(inputs);

  testsupport::checks::Group("the same inputs again leave nothing behind");
  const testsupport::GlObjectCount objects = testsupport::CountGlObjects();
  const testsupport::OpenHandles handles = testsupport::OpenHandlesNow();
  const auto heap = static_cast<long long>(testsupport::HeapBytesInUse());
  ReplayAll(inputs);
  CHECK_EQ(testsupport::CountGlObjects(), objects);
  CHECK_EQ(testsupport::HandlesOpened(handles, testsupport::OpenHandlesNow()), std::string());
  const long long grown = static_cast<long long>(testsupport::HeapBytesInUse()) - heap;
  if (!testsupport::kDriverSharesTheHeap) CHECK_MSG(grown <= kHeapSlack, "the heap grew by " + std::to_string(grown));
  std::printf("replayed %zu inputs twice; the second pass changed the heap by %+lld bytes\n", inputs.size(), grown);
  return testsupport::checks::Summarise() ? 0 : 1;
}
