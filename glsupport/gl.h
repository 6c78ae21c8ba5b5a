// The one header through which the product reaches OpenGL: libepoxy, or the built-in loader's table.
// Test code opts out of the table with MOSARO_GL_VIA_EPOXY and makes its own calls through libepoxy.
#pragma once

#if defined(MOSARO_BUILTIN_GL_LOADER) && !defined(MOSARO_GL_VIA_EPOXY)
#include "glsupport/gl_builtin.h"
#else
#include <epoxy/gl.h>
#endif
