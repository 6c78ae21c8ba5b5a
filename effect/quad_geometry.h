// The quad of one layer draw: where it lies in the frame and which window of the input it shows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "glsupport/quad_buffer.h"
#include "presets/output_setup.h"

// What one layer draw needs to place its quad; every field is a float as the parameters hold it.
struct QuadInput {
  float frameWidth = 0.0f;   // viewport width in pixels (W)
  float frameHeight = 0.0f;  // viewport height in pixels (H)
  float positionX = 0.0f;    // pixels; negated on the symmetry pass
  float positionY = 0.0f;    // pixels
  float width = 0.0f;        // pixels
  float height = 0.0f;       // pixels
  float sampleX = 0.0f;      // shift of the texture window, texture units
  float sampleY = 0.0f;      // shift of the texture window, texture units
  float scaleIn = 0.0f;      // zoom of the texture window; 0.1 shows the share of the input the quad covers
  float rotateOut = 0.0f;    // degrees, clockwise on screen; negated on the symmetry pass
  float symmetry = 0.0f;     // 0 on the first draw; 1 Mirror, 2 Flipped, 3 Sample Flip on the symmetry pass
  float ratio = 0.0f;        // -1..1: above 0 narrows the window, below 0 flattens it
  float scaling = 0.0f;      // 0 None, 1 Fit, 2 Fill, 3 Stretch
  float anchor = 0.0f;       // 0 Center, 1 Top Left
  float outputIndex = 0.0f;  // 0 for free placement, else the 1-based entry of the slice list to draw on
  float sampleIndex = 0.0f;  // 0 for the scaled window, else the 1-based entry whose picture is mapped
};

// The vertex layout and the full-frame quad are those of every quad buffer.
using glsupport::kFullFrameQuad;
using glsupport::kQuadBytes;
using glsupport::kQuadVertexCount;
using glsupport::QuadVertex;

// The quad vertices of one instance and the GL names of its vertex array and buffer (0 while none exists).
struct QuadGeometry {
  QuadVertex vertices[6] = {};       // the layer quad of the latest successful computation
  QuadVertex overlayVertices[6] = {  // the full-frame quad; never changes
      kFullFrameQuad[0], kFullFrameQuad[1], kFullFrameQuad[2],
      kFullFrameQuad[3], kFullFrameQuad[4], kFullFrameQuad[5]};
  uint32_t vao = 0;
  uint32_t vbo = 0;
};

// Whether a quad may be drawn.
enum class QuadStatus {
  Ok,
  NonFinite,         // a coordinate came out infinite or NaN (degenerate size, zero-length slice edge, NaN input)
  IndexOutOfRange,   // outputIndex or sampleIndex names no entry of the slice list
};

// The stage of the computation that produced a failure.
enum class QuadStep {
  None,
  Placement,  // free bounds or slice corners
  Rotation,   // rotating the free quad about its centre
  Window,     // the texture window with ratio and shift
};

// The outcome of one quad computation: the status, where it failed, and the vertices when it did not.
struct QuadResult {
  QuadStatus status = QuadStatus::Ok;
  QuadStep step = QuadStep::None;
  QuadVertex vertices[6] = {};  // valid only when status is Ok

  bool ok() const { return status == QuadStatus::Ok; }
};

// The entry a 1-based slice index names in a list of `count` entries: 0 for none, -1 when it lies past the list.
long SliceEntryPosition(float index, std::size_t count);

// Computes the six vertices of one layer draw from its input and the current slice list; no GL.
QuadResult ComputeQuadVertices(const QuadInput& input, const std::vector<SliceRecord>& slices);
