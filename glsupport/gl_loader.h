// Platform seam: is a GL context current, and resolving the GL entry points once per module.
#pragma once

namespace glsupport {

// True when this thread has a current GL context (EGL or GLX on Linux, WGL on Windows); calls no GL.
bool HasCurrentContext();

// With a current context: resolves the product's GL functions (libepoxy, or the built-in table, which is
// left untouched unless every function is found) and is true when the context reports OpenGL 4.1 or later
// (core or compatibility). Without one, or on Linux without the GL library libepoxy needs: false, and no GL
// call is made.
bool LoadEntryPoints();

}  // namespace glsupport
