// The one header through which the product reaches OpenGL.
#pragma once

#include <epoxy/gl.h>
