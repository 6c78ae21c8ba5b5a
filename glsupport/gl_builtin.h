// GL through the built-in loader: the Khronos types and constants, and each GL name the product calls
// bound to its slot in the loader's table.
#pragma once

// The C headers that libepoxy's header brings along, so that the product builds the same with either.
#include <inttypes.h>
#include <stddef.h>

#include "glsupport/gl_khronos.h"
#include "glsupport/gl_entry_points.h"

#define glActiveTexture glsupport::gl_entry::pglActiveTexture
#define glAttachShader glsupport::gl_entry::pglAttachShader
#define glBindBuffer glsupport::gl_entry::pglBindBuffer
#define glBindTexture glsupport::gl_entry::pglBindTexture
#define glBindVertexArray glsupport::gl_entry::pglBindVertexArray
#define glBlendFunc glsupport::gl_entry::pglBlendFunc
#define glBufferData glsupport::gl_entry::pglBufferData
#define glCompileShader glsupport::gl_entry::pglCompileShader
#define glCreateProgram glsupport::gl_entry::pglCreateProgram
#define glCreateShader glsupport::gl_entry::pglCreateShader
#define glDeleteBuffers glsupport::gl_entry::pglDeleteBuffers
#define glDeleteProgram glsupport::gl_entry::pglDeleteProgram
#define glDeleteShader glsupport::gl_entry::pglDeleteShader
#define glDeleteVertexArrays glsupport::gl_entry::pglDeleteVertexArrays
#define glDisable glsupport::gl_entry::pglDisable
#define glDrawArrays glsupport::gl_entry::pglDrawArrays
#define glEnable glsupport::gl_entry::pglEnable
#define glEnableVertexAttribArray glsupport::gl_entry::pglEnableVertexAttribArray
#define glGenBuffers glsupport::gl_entry::pglGenBuffers
#define glGenVertexArrays glsupport::gl_entry::pglGenVertexArrays
#define glGetProgramInfoLog glsupport::gl_entry::pglGetProgramInfoLog
#define glGetProgramiv glsupport::gl_entry::pglGetProgramiv
#define glGetShaderInfoLog glsupport::gl_entry::pglGetShaderInfoLog
#define glGetShaderiv glsupport::gl_entry::pglGetShaderiv
#define glGetString glsupport::gl_entry::pglGetString
#define glGetUniformLocation glsupport::gl_entry::pglGetUniformLocation
#define glLinkProgram glsupport::gl_entry::pglLinkProgram
#define glMapBufferRange glsupport::gl_entry::pglMapBufferRange
#define glShaderSource glsupport::gl_entry::pglShaderSource
#define glUniform1f glsupport::gl_entry::pglUniform1f
#define glUniform1i glsupport::gl_entry::pglUniform1i
#define glUniform2f glsupport::gl_entry::pglUniform2f
#define glUniform3f glsupport::gl_entry::pglUniform3f
#define glUniform4f glsupport::gl_entry::pglUniform4f
#define glUnmapBuffer glsupport::gl_entry::pglUnmapBuffer
#define glUseProgram glsupport::gl_entry::pglUseProgram
#define glVertexAttribPointer glsupport::gl_entry::pglVertexAttribPointer
