#include "effect/quad_cache.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {

void CopyRects(const SliceRecord& entry, SlicePoint (&out)[8]) {
  std::copy(std::begin(entry.inputRect), std::end(entry.inputRect), out);
  std::copy(std::begin(entry.outputRect), std::end(entry.outputRect), out + 4);
}

}  // namespace

CachedQuad::Inputs CachedQuad::InputsOf(const QuadInput& input, const std::vector<SliceRecord>& slices) {
  Inputs inputs{};
  inputs.input = input;
  inputs.sliceCount = slices.size();
  // The entries the computation reads, found as it finds them.
  const long output = SliceEntryPosition(input.outputIndex, slices.size());
  if (output <= 0) return inputs;
  CopyRects(slices[static_cast<std::size_t>(output - 1)], inputs.output);
  const long sample = SliceEntryPosition(input.sampleIndex, slices.size());
  if (sample > 0) CopyRects(slices[static_cast<std::size_t>(sample - 1)], inputs.sample);
  return inputs;
}

const QuadResult& CachedQuad::Get(const QuadInput& input, const std::vector<SliceRecord>& slices) {
  const Inputs inputs = InputsOf(input, slices);
  if (valid && std::memcmp(&inputs, &kept, sizeof inputs) == 0) return result;
  result = ComputeQuadVertices(input, slices);
  kept = inputs;
  valid = true;
  ++computationCount;
  return result;
}
