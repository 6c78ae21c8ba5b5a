// Creating, filling and releasing the quad buffer of one instance.
#pragma once

#include <vector>

#include "effect/quad_geometry.h"
#include "presets/output_setup.h"

// Generates the vertex array and the buffer, fills the buffer with the full-frame quad and points
// attribute 0 (position) and 1 (texture coordinate) at it; both are unbound again. False (and nothing kept)
// on failure.
bool CreateQuadBuffers(QuadGeometry& geometry);

// Deletes the buffer and the vertex array and zeroes both names; safe when none exists.
void ReleaseQuadBuffers(QuadGeometry& geometry);

// Writes the six vertices (120 bytes) into the geometry's buffer, which stays bound as the array buffer.
// False, with nothing written, when there is no buffer or mapping it fails.
bool UploadQuad(const QuadGeometry& geometry, const QuadVertex (&vertices)[6]);

// Writes the six vertices (120 bytes) into the buffer bound as the array buffer. False, with nothing
// written, when mapping it fails.
bool UploadToBoundBuffer(const QuadVertex (&vertices)[6]);

// Keeps a sound quad in geometry.vertices and writes it into the buffer bound as the array buffer; false when
// the draw must be skipped: an unsound quad (nothing kept or written) or a failed upload.
bool KeepAndUpload(const QuadResult& quad, QuadGeometry& geometry);

// Computes one layer draw's quad, binds the geometry's buffer and keeps and uploads it as a frame does; false
// when the draw must be skipped (non-finite or out-of-range input or no buffer, which leave vertices and buffer
// as they were, or a failed upload).
bool ComputeQuad(const QuadInput& input, const std::vector<SliceRecord>& slices, QuadGeometry& geometry);
