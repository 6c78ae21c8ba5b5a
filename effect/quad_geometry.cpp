#include "effect/quad_geometry.h"

#include <cmath>
#include <cstddef>
#include <utility>

namespace {

constexpr float kPi = 3.1415927f;

struct Point {
  float x;
  float y;
};

// Corners in device coordinates, with the half sizes that the texture window uses.
struct Placement {
  Point tl, tr, bl, br;
  float hw;  // half width, in units scaled by the frame's aspect
  float hh;  // half height
};

// Bounds of the texture window.
struct Window {
  float uL, uR, vT, vB;
};

// Horizontal and vertical extent of the texture window before it is centred.
struct WindowScale {
  float su;
  float sv;
};

bool Finite(const Placement& p) {
  for (float value : {p.tl.x, p.tl.y, p.tr.x, p.tr.y, p.bl.x, p.bl.y, p.br.x, p.br.y, p.hw, p.hh}) {
    if (!std::isfinite(value)) return false;
  }
  return true;
}

bool Finite(const Window& w) {
  return std::isfinite(w.uL) && std::isfinite(w.uR) && std::isfinite(w.vT) && std::isfinite(w.vB);
}

// Euclidean distance in single precision.
float Distance(const SlicePoint& p, const SlicePoint& q) {
  const float dx = p.x - q.x;
  const float dy = p.y - q.y;
  return std::sqrt(dx * dx + dy * dy);
}

Point Centre(const SlicePoint (&rect)[4]) {
  return {(rect[0].x + rect[3].x) * 0.5f, (rect[0].y + rect[3].y) * 0.5f};
}

// Rotates the rectangle about its centre by rotateOut degrees, clockwise on screen, keeping its shape on a
// frame of aspect a: the x offsets are formed in units scaled by a and divided by a at the end.
void RotateCorners(float left, float right, float bottom, float top, float rotateOut, float a, Placement& p) {
  const float mx = (right + left) * 0.5f;
  const float my = (bottom + top) * 0.5f;
  const float hx = right - mx;
  const float hy = bottom - my;
  const float r = std::sqrt(hx * hx + hy * hy);
  const float phi = static_cast<float>(static_cast<double>(rotateOut * kPi) / 180.0);
  const float a1 = std::acos(hx / r);
  const float a2 = std::acos(-hx / r);
  const float b1 = std::asin(-hy / r);
  const float b2 = std::asin(hy / r);
  p.tr = {std::cos(a1 - phi) * r / a + mx, std::sin(b1 - phi) * r + my};
  p.br = {std::cos(a1 + phi) * r / a + mx, std::sin(b2 - phi) * r + my};
  p.bl = {std::cos(a2 + phi) * r / a + mx, std::sin(b2 + phi) * r + my};
  p.tl = {std::cos(a2 - phi) * r / a + mx, std::sin(b1 + phi) * r + my};
}

// Free placement by position, size and rotation; the anchor decides whether the position names the centre
// or the top-left corner (the top-right corner on the symmetry pass).
QuadStep FreePlacement(const QuadInput& in, float a, Placement& p) {
  const float w = in.frameWidth;
  const float h = in.frameHeight;
  const bool topLeft = in.anchor == 1.0f;
  const bool mirrored = in.symmetry > 0.0f;
  float cx = (in.positionX / w) * 2.0f;
  float cy = -(in.positionY / h) * 2.0f;
  if (topLeft) {
    if (mirrored) {
      cx = (in.positionX / w) * 2.0f + 1.0f;
      cy = 1.0f - (in.positionY / h) * 2.0f;
    } else {
      cx = cx - 1.0f;
      cy = cy + 1.0f;
    }
  }
  p.hw = (in.width / w) * a;
  p.hh = in.height / h;
  const float left = cx - p.hw;
  const float right = cx + p.hw;
  const float bottom = cy - p.hh;
  const float top = cy + p.hh;
  if (!std::isfinite(left) || !std::isfinite(right) || !std::isfinite(bottom) || !std::isfinite(top) ||
      !std::isfinite(p.hw) || !std::isfinite(p.hh)) {
    return QuadStep::Placement;
  }
  RotateCorners(left, right, bottom, top, in.rotateOut, a, p);
  if (!Finite(p)) return QuadStep::Rotation;
  if (topLeft) {
    const float m = mirrored ? -(p.hw / a) : p.hw / a;
    for (Point* corner : {&p.tl, &p.tr, &p.bl, &p.br}) {
      corner->x += m;
      corner->y -= p.hh;
    }
    if (!Finite(p)) return QuadStep::Placement;
  }
  return QuadStep::None;
}

Point ToDevice(const SlicePoint& point, float w, float h) {
  return {(point.x / w) * 2.0f - 1.0f, -((point.y / h) * 2.0f - 1.0f)};
}

// Converts the slice's composition rectangle to device corners, mirrored about the vertical centre line on
// the symmetry pass.
void SliceCorners(const SliceRecord& slice, float w, float h, bool mirrored, Placement& p) {
  p.tl = ToDevice(slice.inputRect[0], w, h);
  p.tr = ToDevice(slice.inputRect[1], w, h);
  p.bl = ToDevice(slice.inputRect[2], w, h);
  p.br = ToDevice(slice.inputRect[3], w, h);
  if (mirrored) {
    for (Point* corner : {&p.tl, &p.tr, &p.bl, &p.br}) corner->x = -corner->x;
  }
}

// Placement exactly on the slice's rectangle; the half sizes come from its top and left edges in whole pixels.
QuadStep SlicePlacement(const QuadInput& in, const SliceRecord& slice, float a, Placement& p) {
  const float w = in.frameWidth;
  const float h = in.frameHeight;
  p.hw = std::trunc(Distance(slice.inputRect[1], slice.inputRect[0])) / w * a;
  p.hh = std::trunc(Distance(slice.inputRect[2], slice.inputRect[0])) / h;
  SliceCorners(slice, w, h, in.symmetry > 0.0f, p);
  return Finite(p) ? QuadStep::None : QuadStep::Placement;
}

// The window extent for the scaling mode; e = 1 / (s * 10) is the zoom and d the quad's aspect.
WindowScale ApplyScalingMode(float scaling, float hw, float hh, float a, float s) {
  const float e = 1.0f / (s * 10.0f);
  const float d = hw / hh;
  if (scaling == 1.0f) {  // Fit
    if (d > a) return {d * e, e};
    return {a * e, e * a / d};
  }
  if (scaling == 2.0f) {  // Fill
    if (a > d) return {d * e, e};
    return {a * e, e * a / d};
  }
  if (scaling == 3.0f) return {a * e, e};  // Stretch
  return {hw / (s * 10.0f), hh / (s * 10.0f)};
}

// Ratio narrows (above 0) or flattens (0 and below) the window, which is then centred on the texture.
Window CentredWindow(WindowScale scale, float ratio, float a) {
  if (ratio > 0.0f) {
    scale.su = (1.0f - ratio) * scale.su;
  } else {
    scale.sv = (ratio + 1.0f) * scale.sv;
  }
  return {(1.0f - scale.su / a) * 0.5f, (scale.su / a) * 0.5f + 0.5f, scale.sv * 0.5f + 0.5f,
          (1.0f - scale.sv) * 0.5f};
}

void MoveWindow(Window& window, float dx, float dy) {
  window.uL -= dx;
  window.uR -= dx;
  window.vT -= dy;
  window.vB -= dy;
}

// The window that maps the sample slice P onto the output slice O: scaled by the ratios of their edges
// and moved by the distance between their output centres.
Window MappedWindow(const QuadInput& in, const SliceRecord& o, const SliceRecord& p, const Placement& placement,
                    float a, float s) {
  const float pInTop = Distance(p.inputRect[1], p.inputRect[0]);
  const float oInTop = Distance(o.inputRect[1], o.inputRect[0]);
  const float pOutTop = Distance(p.outputRect[1], p.outputRect[0]);
  const float oOutTop = Distance(o.outputRect[1], o.outputRect[0]);
  const float pInLeft = Distance(p.inputRect[2], p.inputRect[0]);
  const float oInLeft = Distance(o.inputRect[2], o.inputRect[0]);
  const float pOutLeft = Distance(p.outputRect[2], p.outputRect[0]);
  const float oOutLeft = Distance(o.outputRect[2], o.outputRect[0]);
  WindowScale scale;
  scale.su = (pInTop / oInTop) / (pOutTop / oOutTop) * placement.hw / (s * 10.0f);
  scale.sv = (pInLeft / oInLeft) / (pOutLeft / oOutLeft) * placement.hh / (s * 10.0f);
  const Point pCentre = Centre(p.outputRect);
  const Point oCentre = Centre(o.outputRect);
  float dx = (pInTop / pOutTop) * (pCentre.x - oCentre.x) / in.frameWidth;
  const float dy = (pInLeft / pOutLeft) * (oCentre.y - pCentre.y) / in.frameHeight;
  Window window = CentredWindow(scale, in.ratio, a);
  if (in.symmetry == 3.0f) dx = -dx;
  MoveWindow(window, dx, dy);
  return window;
}

QuadResult Failure(QuadStatus status, QuadStep step) {
  QuadResult result;
  result.status = status;
  result.step = step;
  return result;
}

}  // namespace

long SliceEntryPosition(float index, std::size_t count) {
  if (!(index >= 1.0f)) return 0;
  const float whole = std::trunc(index);
  if (whole > static_cast<float>(count)) return -1;
  return static_cast<long>(whole);
}

QuadResult ComputeQuadVertices(const QuadInput& in, const std::vector<SliceRecord>& slices) {
  const float a = in.frameWidth / in.frameHeight;
  const float s = in.scaleIn == 0.0f ? 0.001f : in.scaleIn;

  const long output = SliceEntryPosition(in.outputIndex, slices.size());
  if (output < 0) return Failure(QuadStatus::IndexOutOfRange, QuadStep::Placement);
  const long sample = output > 0 ? SliceEntryPosition(in.sampleIndex, slices.size()) : 0;
  if (sample < 0) return Failure(QuadStatus::IndexOutOfRange, QuadStep::Window);

  Placement placement{};
  const QuadStep placementFailure = output > 0 ? SlicePlacement(in, slices[output - 1], a, placement)
                                               : FreePlacement(in, a, placement);
  if (placementFailure != QuadStep::None) return Failure(QuadStatus::NonFinite, placementFailure);

  Window window;
  if (sample > 0) {
    window = MappedWindow(in, slices[output - 1], slices[sample - 1], placement, a, s);
  } else {
    window = CentredWindow(ApplyScalingMode(in.scaling, placement.hw, placement.hh, a, s), in.ratio, a);
  }
  const float sx = in.symmetry == 3.0f ? -in.sampleX : in.sampleX;
  MoveWindow(window, sx, in.sampleY);
  if (!Finite(window)) return Failure(QuadStatus::NonFinite, QuadStep::Window);

  if (in.symmetry == 2.0f) std::swap(window.uL, window.uR);
  if (output > 0 && in.symmetry > 0.0f) std::swap(window.uL, window.uR);

  QuadResult result;
  const Point& tl = placement.tl;
  const Point& tr = placement.tr;
  const Point& bl = placement.bl;
  const Point& br = placement.br;
  result.vertices[0] = {window.uL, window.vT, tl.x, tl.y, 0.0f};
  result.vertices[1] = {window.uR, window.vT, tr.x, tr.y, 0.0f};
  result.vertices[2] = {window.uL, window.vB, bl.x, bl.y, 0.0f};
  result.vertices[3] = {window.uL, window.vB, bl.x, bl.y, 0.0f};
  result.vertices[4] = {window.uR, window.vT, tr.x, tr.y, 0.0f};
  result.vertices[5] = {window.uR, window.vB, br.x, br.y, 0.0f};
  return result;
}
