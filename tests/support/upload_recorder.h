// Records every upload into the quad buffer by taking over the effect's glMapBufferRange and glUnmapBuffer:
// the effect writes into a staging copy, which is kept for the test and then copied into the real mapping.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstring>
#include <utility>
#include <vector>

#include "effect/quad_geometry.h"
#include "glsupport/gl.h"
#if defined(MOSARO_BUILTIN_GL_LOADER)
#include "glsupport/gl_entry_points.h"
#endif

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
  // The mapping under way and the functions the recorder stands in for.
  void* mapped = nullptr;
  std::vector<unsigned char> staging;
  PFNGLMAPBUFFERRANGEPROC realMap = nullptr;
  PFNGLUNMAPBUFFERPROC realUnmap = nullptr;
};

inline UploadLog& Uploads() {
  static UploadLog log;
  return log;
}

// The slots through which the effect's own map and unmap calls go: the built-in loader's table or libepoxy's.
inline PFNGLMAPBUFFERRANGEPROC& MapBufferRangeSlot() {
#if defined(MOSARO_BUILTIN_GL_LOADER)
  return glsupport::gl_entry::pglMapBufferRange;
#else
  return epoxy_glMapBufferRange;
#endif
}

inline PFNGLUNMAPBUFFERPROC& UnmapBufferSlot() {
#if defined(MOSARO_BUILTIN_GL_LOADER)
  return glsupport::gl_entry::pglUnmapBuffer;
#else
  return epoxy_glUnmapBuffer;
#endif
}

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
  // The loader resolves an entry point on its first call by rewriting the slot, so the slot is handed back.
  MapBufferRangeSlot() = log.realMap;
  void* real = MapBufferRangeSlot()(target, offset, length, access);
  log.realMap = MapBufferRangeSlot();
  MapBufferRangeSlot() = &RecordingMap;
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
  UnmapBufferSlot() = log.realUnmap;
  const GLboolean result = UnmapBufferSlot()(target);
  log.realUnmap = UnmapBufferSlot();
  UnmapBufferSlot() = &RecordingUnmap;
  return result;
}

// Installs the recording map and unmap while alive, with an empty log.
class UploadRecorder {
 public:
  UploadRecorder() {
    Uploads() = UploadLog{};
    Uploads().realMap = MapBufferRangeSlot();
    Uploads().realUnmap = UnmapBufferSlot();
    MapBufferRangeSlot() = &RecordingMap;
    UnmapBufferSlot() = &RecordingUnmap;
  }
  UploadRecorder(const UploadRecorder&) = delete;
  UploadRecorder& operator=(const UploadRecorder&) = delete;
  ~UploadRecorder() {
    MapBufferRangeSlot() = Uploads().realMap;
    UnmapBufferSlot() = Uploads().realUnmap;
  }
};

}  // namespace testsupport
