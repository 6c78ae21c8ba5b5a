// The one header through which the product reaches OpenGL: libepoxy, or the built-in loader's table.
// Code that hosts the module (the tests' own calls) defines MOSARO_HOST_GL and calls GL as the hosts do
// (glsupport/host_gl.h), also where it links the product's code.
#pragma once

#if defined(MOSARO_HOST_GL)
#include "glsupport/host_gl.h"
#elif defined(MOSARO_BUILTIN_GL_LOADER)
#include "glsupport/gl_builtin.h"
#else
#include <epoxy/gl.h>
#endif
