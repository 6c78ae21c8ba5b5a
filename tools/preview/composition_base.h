// What the framebuffer holds before the effect draws over it, as a host's composition would.
#pragma once

#include <cstdint>
#include <string>

#include "tools/caller/gl_context.h"

namespace preview {

// black: opaque black; transparent: all zero; input: the input picture scaled to the viewport.
enum class BaseMode { Black, Transparent, Input };

// Parses "black", "transparent" or "input"; false for anything else.
bool ParseBaseMode(const std::string& text, BaseMode& mode);

// Gives the input texture linear filtering, as a host's composition texture has.
void UseLinearFiltering(uint32_t texture);

// Fills the target; for Input, the input texture (bottom row first) is scaled over the whole target
// with linear filtering. Leaves the target bound for drawing. Needs the GL context current.
void FillBase(BaseMode mode, const caller::RenderTarget& target, uint32_t inputTexture, int inputWidth,
              int inputHeight);

}  // namespace preview
