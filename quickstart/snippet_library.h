// GLSL helpers that an effect may include in its generated fragment shader, by key.
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace quickstart {

// Keys of the snippet library.
enum SnippetKey : int32_t {
  SnippetRandom = 0,  // integer-hash random numbers: random(uvec2), random3(uvec3), random()
  SnippetMap = 1,     // clamped range mapping: map(t, a, b) and map(value, low, high, newLow, newHigh)
  SnippetNoise = 2,   // random3(vec3), simplex3d(vec3) and fractal_noise(vec3, vec4)
};

// The constant library, key to GLSL text; every text begins with a line feed.
const std::map<int32_t, std::string>& SnippetLibrary();

}  // namespace quickstart
