// A GL 4.1 core context shared by the tests of one executable, and the pass-through vertex shader.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "tools/hostlib/egl_context.h"

namespace testsupport {

// Vertex shader whose inputs match the screen quad: location 0 position, location 1 texture coordinate.
constexpr const char* kPassThroughVertex = R"(#version 410 core
layout(location = 0) in vec3 position;
layout(location = 1) in vec2 texCoord;
out vec2 uv;
void main() {
  uv = texCoord;
  gl_Position = vec4(position, 1.0);
}
)";

// Fixture whose tests run with the shared context current.
class GlTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!Context()) {
      Context() = std::make_unique<hostlib::EglContext>();
      Context()->Create();
    }
  }
  void SetUp() override {
    ASSERT_TRUE(Context()->valid()) << Context()->error();
    ASSERT_TRUE(Context()->MakeCurrent());
  }
  static std::unique_ptr<hostlib::EglContext>& Context() {
    static std::unique_ptr<hostlib::EglContext> context;
    return context;
  }
};

}  // namespace testsupport
