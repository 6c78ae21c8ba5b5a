// Reading the GL version text.
#pragma once

namespace glsupport {

// 10 * major + minor of a GL_VERSION text ("4.6 (Core Profile) Mesa ...", "OpenGL ES 3.2 ..."); 0 when the
// text is null or holds no "major.minor".
int ParseGlVersion(const char* versionText);

}  // namespace glsupport
