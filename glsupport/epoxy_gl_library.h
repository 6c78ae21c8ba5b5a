// The GL library that libepoxy opens for itself on Linux, held before libepoxy's first call.
#pragma once

namespace glsupport {

// libepoxy takes the GL 1.x functions of a desktop context from libGL.so.1, else libOpenGL.so.0 (for a GLX
// context only libGL.so.1 serves), opening the library at its first GL call and aborting the process when
// it cannot. This holds that library while it lives: the one already loaded, else opened the same way
// libepoxy would, so that a system without it fails cleanly instead. Not copyable.
class EpoxyGlLibrary {
 public:
  explicit EpoxyGlLibrary(bool glxContext);
  EpoxyGlLibrary(const EpoxyGlLibrary&) = delete;
  EpoxyGlLibrary& operator=(const EpoxyGlLibrary&) = delete;
  ~EpoxyGlLibrary();

  // True when libepoxy's first GL call will find its library.
  bool found() const { return handle != nullptr; }

 private:
  void* handle = nullptr;  // a reference to the library, dropped on destruction
};

}  // namespace glsupport
