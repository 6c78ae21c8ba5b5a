// The fixture of the tests that draw with the shared GL context, the pass-through vertex shader, and the check
// of the screen quad's vertex attributes.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "glsupport/gl.h"
#include "tests/support/pass_through_vertex.h"  // kPassThroughVertex, the effect's own vertex shader
#include "tests/support/shared_context.h"

namespace testsupport {

// The bound vertex array feeds the screen quad's 20-byte vertices as the pass-through shader takes them:
// location 0 the position (three floats at byte 8), location 1 the texture coordinate (two floats at byte 0).
inline void ExpectScreenQuadAttributes() {
  struct Expected {
    GLuint attribute;
    GLint components;
    uintptr_t offset;
  };
  for (Expected e : {Expected{0, 3, 8}, Expected{1, 2, 0}}) {
    GLint enabled = 0, components = 0, stride = 0, type = 0, normalised = 1;
    void* offset = nullptr;
    glGetVertexAttribiv(e.attribute, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &enabled);
    glGetVertexAttribiv(e.attribute, GL_VERTEX_ATTRIB_ARRAY_SIZE, &components);
    glGetVertexAttribiv(e.attribute, GL_VERTEX_ATTRIB_ARRAY_STRIDE, &stride);
    glGetVertexAttribiv(e.attribute, GL_VERTEX_ATTRIB_ARRAY_TYPE, &type);
    glGetVertexAttribiv(e.attribute, GL_VERTEX_ATTRIB_ARRAY_NORMALIZED, &normalised);
    glGetVertexAttribPointerv(e.attribute, GL_VERTEX_ATTRIB_ARRAY_POINTER, &offset);
    EXPECT_EQ(enabled, GL_TRUE) << e.attribute;
    EXPECT_EQ(components, e.components) << e.attribute;
    EXPECT_EQ(stride, 20) << e.attribute;
    EXPECT_EQ(type, GL_FLOAT) << e.attribute;
    EXPECT_EQ(normalised, GL_FALSE) << e.attribute;
    EXPECT_EQ(reinterpret_cast<uintptr_t>(offset), e.offset) << e.attribute;
  }
}

// Fixture whose tests run with the shared context current.
class GlTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { SharedContext(); }
  void SetUp() override {
    ASSERT_TRUE(SharedContext().valid()) << SharedContext().error();
    ASSERT_TRUE(SharedContext().MakeCurrent());
  }
};

}  // namespace testsupport
