#version 410 core
// Layer picture. uv is the texture window from the quad (0..1 spans the input picture).
in vec2 uv;
out vec4 fragColor;
uniform sampler2D inputTexture;
uniform vec2 HardwareSize; // allocated texels
uniform vec2 MaxUV;        // used fraction of the texture
uniform vec2 shift;        // window shift: the centre lies at 0.5 - shift
uniform float aliased;     // 0 filtered, 1 snapped to texel centres
uniform float rot;         // degrees; the picture turns clockwise about the centre
uniform float op;          // opacity: scales colour and alpha (premultiplied)
uniform float uv_mode;     // outside 0..1: 0 Clamp, 1 Repeat, 2 Unfold, 3 Quad
uniform float kaleido;     // mirrored wedges about the centre; 1 = off
uniform float link;        // 1: limitx crops both ways
uniform float limitx;      // crop towards the centre: 0 nothing, 1 all
uniform float limity;

const float TAU = 6.2831853;

void main() {
  vec2 c = 0.5 - shift;
  vec2 d = uv - c;

  // Crop: keep a band of (1 - limit) picture sizes about the centre.
  vec2 lim = vec2(limitx, mix(limity, limitx, clamp(link, 0.0, 1.0)));
  bvec2 cut = greaterThanEqual(abs(d), 0.5 - 0.5 * lim);
  if ((lim.x > 0.0 && cut.x) || (lim.y > 0.0 && cut.y)) {
    fragColor = vec4(0.0);
    return;
  }

  // Fold and turn in input pixels, so both keep the picture's pixel aspect.
  vec2 size = max(HardwareSize * MaxUV, vec2(1.0));
  vec2 p = d * size;
  float k = floor(kaleido + 0.5);
  if (k > 1.0) {
    // k wedges of 360/k degrees, every other one mirrored; the first starts to the right of the centre.
    float w = TAU / k;
    float a = atan(p.y, p.x);
    if (a < 0.0) a += TAU;
    float n = min(floor(a / w), k - 1.0);
    a -= n * w;
    if (mod(n, 2.0) >= 1.0) a = w - a;
    p = length(p) * vec2(cos(a), sin(a));
  }
  float r = radians(rot);
  float cs = cos(r);
  float sn = sin(r);
  vec2 t = c + vec2(p.x * cs - p.y * sn, p.x * sn + p.y * cs) / size;

  // What lies outside the picture.
  int mode = int(uv_mode + 0.5);
  float inside = 1.0;
  if (mode == 1) {
    t = fract(t);
  } else if (mode == 2) {
    t = 1.0 - abs(mod(t, 2.0) - 1.0);
  } else {
    if (mode == 3 && (any(lessThan(t, vec2(0.0))) || any(greaterThan(t, vec2(1.0))))) inside = 0.0;
    t = clamp(t, 0.0, 1.0);
  }

  // Sample only the used part, half a texel in from its edge so filtering never reaches beyond it.
  vec2 texel = 1.0 / max(HardwareSize, vec2(1.0));
  vec2 s = t * MaxUV;
  s = mix(s, (floor(s * HardwareSize) + 0.5) * texel, clamp(aliased, 0.0, 1.0));
  s = clamp(s, 0.5 * texel, MaxUV - 0.5 * texel);
  fragColor = texture(inputTexture, s) * (op * inside);
}
