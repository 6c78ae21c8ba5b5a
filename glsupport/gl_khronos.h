// The Khronos core-profile header: GL types, constants and function-pointer types, without prototypes.
#pragma once

#if defined(_WIN32) && !defined(APIENTRY)
// Without APIENTRY glcorearb.h includes <windows.h> only to learn the calling convention.
#define APIENTRY __stdcall
#define MOSARO_GL_DEFINED_APIENTRY
#endif

#include <GL/glcorearb.h>

#if defined(MOSARO_GL_DEFINED_APIENTRY)
#undef APIENTRY
#undef MOSARO_GL_DEFINED_APIENTRY
#endif
