#version 410 core
// Full-frame pass after the layers: samples the input like the layers but draws nothing visible.
in vec2 uv;
out vec4 fragColor;
uniform sampler2D inputTexture;
uniform vec2 HardwareSize;
uniform vec2 MaxUV;
void main() {
  vec2 texel = 0.5 / max(HardwareSize, vec2(1.0));
  vec4 c = texture(inputTexture, clamp(uv * MaxUV, texel, MaxUV - texel));
  // Transparent black: with one, one-minus-source-alpha blending the frame stays as it is.
  fragColor = c.a < 0.0 ? c : vec4(0.0);
}
