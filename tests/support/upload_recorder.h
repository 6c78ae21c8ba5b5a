// Records every upload into the quad buffer by standing in for the effect's glMapBufferRange and glUnmapBuffer
// (the GL-call spy's override): the effect writes into a staging copy, which is kept for the test and then
// copied into the real mapping.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstring>
#include <utility>
#include <vector>

#include "effect/quad_geometry.h"
#include "glsupport/gl.h"
#include "tests/support/gl_call_spy.h"

namespace testsupport {

// True when no vertex holds a NaN or an infinity.
inline bool AllFinite(const QuadVertex* vertices, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    for (float value : {vertices[i].u, vertices[i].v, vertices[i].x, vertices[i].y, vertices[i].z}) {
      if (!std::isfinite(value)) return false;
    }
  }
  return true;
}

inline bool AllFinite(const std::vector<QuadVertex>& vertices) { return AllFinite(vertices.data(), vertices.size()); }

// What the recorder has seen since it was installed.
struct UploadLog {
  std::vector<std::vector<QuadVertex>> uploads;  // one per map, copy and unmap; a test may clear it
  int uploadCount = 0;                            // all uploads, also those cleared from `uploads`
  int nonFiniteUploads = 0;                       // uploads holding a NaN or an infinity, also those cleared
  int maps = 0;
  int failingMaps = 0;  // maps still to refuse
  // The arguments of the last map.
  GLenum target = 0;
  GLintptr offset = -1;
  GLsizeiptr length = 0;
  GLbitfield access = 0;
  // The mapping under way.
  void* mapped = nullptr;
  std::vector<unsigned char> staging;
};

inline UploadLog& Uploads() {
  static UploadLog log;
  return log;
}

using MapOverride = EntryPointOverride<MOSARO_PRODUCT_GL_SLOT(MapBufferRange)>;
using UnmapOverride = EntryPointOverride<MOSARO_PRODUCT_GL_SLOT(UnmapBuffer)>;

inline void* RecordingMap(GLenum target, GLintptr offset, GLsizeiptr length, GLbitfield access) {
  UploadLog& log = Uploads();
  ++log.maps;
  log.target = target;
  log.offset = offset;
  log.length = length;
  log.access = access;
  if (log.failingMaps > 0) {
    --log.failingMaps;
    return nullptr;
  }
  void* real = MapOverride::CallThrough(target, offset, length, access);
  if (real == nullptr) return nullptr;
  log.mapped = real;
  // Bytes the effect leaves unwritten stand out in the recorded upload.
  log.staging.assign(static_cast<size_t>(length), 0xCD);
  return log.staging.data();
}

inline GLboolean RecordingUnmap(GLenum target) {
  UploadLog& log = Uploads();
  if (log.mapped != nullptr) {
    std::memcpy(log.mapped, log.staging.data(), log.staging.size());
    std::vector<QuadVertex> vertices(log.staging.size() / sizeof(QuadVertex));
    std::memcpy(vertices.data(), log.staging.data(), vertices.size() * sizeof(QuadVertex));
    ++log.uploadCount;
    if (!AllFinite(vertices)) ++log.nonFiniteUploads;
    log.uploads.push_back(std::move(vertices));
    log.mapped = nullptr;
  }
  return UnmapOverride::CallThrough(target);
}

// Installs the recording map and unmap while alive, with an empty log.
class UploadRecorder {
 public:
  UploadRecorder() {
    Uploads() = UploadLog{};
    MapOverride::Install(&RecordingMap);
    UnmapOverride::Install(&RecordingUnmap);
  }
  UploadRecorder(const UploadRecorder&) = delete;
  UploadRecorder& operator=(const UploadRecorder&) = delete;
  ~UploadRecorder() {
    MapOverride::Restore();
    UnmapOverride::Restore();
  }
};

}  // namespace testsupport
