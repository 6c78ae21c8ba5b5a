// One layer draw's quad, kept while everything it is computed from stays the same.
#pragma once

#include <vector>

#include "effect/quad_geometry.h"
#include "presets/output_setup.h"

class CachedQuad {
 public:
  // The quad of the input over the slice list: the kept one when the input, the number of entries and the
  // rectangles of the entries it names are bit for bit those of the last call; else computed afresh and kept.
  const QuadResult& Get(const QuadInput& input, const std::vector<SliceRecord>& slices);
  // How many times a quad was computed rather than handed out again.
  int computations() const { return computationCount; }

 private:
  // What a quad is computed from: the input, the list's length and both rectangles of the entries it reads.
  struct Inputs {
    QuadInput input;
    std::size_t sliceCount;
    SlicePoint output[8];  // input rectangle, then output rectangle, of the output entry; zero when none
    SlicePoint sample[8];  // the same of the sample entry
  };

  static_assert(sizeof(Inputs) == sizeof(QuadInput) + sizeof(std::size_t) + 16 * sizeof(SlicePoint),
                "the inputs hold no padding: they are compared byte for byte");

  static Inputs InputsOf(const QuadInput& input, const std::vector<SliceRecord>& slices);

  bool valid = false;
  Inputs kept{};
  QuadResult result;
  int computationCount = 0;
};

// The quads of one layer: the first draw and the symmetry pass.
struct LayerQuads {
  CachedQuad first;
  CachedQuad mirrored;
};
