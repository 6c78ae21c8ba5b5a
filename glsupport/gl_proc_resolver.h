// Looking GL functions up by name with the platform's context API; no GL header needed.
#pragma once

namespace glsupport {

// Any GL function as a lookup returns it; cast to its own pointer type before calling.
using GlProc = void (*)();

// Looks a GL function up by name (a zero-terminated text read during the call); null when unknown.
using ProcLookup = GlProc (*)(const char* name);

// True for the values a WGL context's lookup returns for a function it lacks: 0, 1, 2, 3 and -1.
bool IsMissingProc(GlProc proc);

// The context's answer for name, or, when that answer means missing, the GL library's export of name.
GlProc ResolveWithLibraryFallback(const char* name, ProcLookup contextLookup, ProcLookup libraryLookup);

// The lookup of the context API that has a context current on this thread; null when none has.
ProcLookup CurrentContextLookup();

#if defined(_WIN32)
// wglGetProcAddress, falling back to the exports of the loaded opengl32.dll (the GL 1.1 functions).
GlProc LookUpWithWgl(const char* name);
#else
// eglGetProcAddress of the loaded libEGL.so.1, however the host opened it; null when none is loaded.
GlProc LookUpWithEgl(const char* name);
// glXGetProcAddressARB of the loaded libGLX.so.0 or libGL.so.1, however opened; null when neither is loaded.
GlProc LookUpWithGlx(const char* name);
#endif

}  // namespace glsupport
