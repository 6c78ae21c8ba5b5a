// The headless GL 4.1 core context that the tests of one program share: made the first time a test asks for
// it, current on the thread that made it, released when the program ends.
#pragma once

#include "tools/caller/gl_context.h"

namespace testsupport {

// The shared context; check valid() and error() before use (it is made again after a failed attempt).
inline caller::GlContext& SharedContext() {
  static caller::GlContext context;
  if (!context.valid()) context.Create();
  return context;
}

}  // namespace testsupport
