// Platform seam: is a GL context current, and resolving the GL entry points once per module.
#pragma once

namespace glsupport {

// True when this thread has a current GL context (EGL or GLX on Linux, WGL on Windows); calls no GL.
bool HasCurrentContext();

// With a current context: true when the context reports OpenGL 4.1 or later (core or compatibility).
bool LoadEntryPoints();

}  // namespace glsupport
