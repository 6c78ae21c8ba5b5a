// Stands in for GL entry points of the product by swapping the loader's function pointers: a spy that counts the
// calls of chosen ones while it lives, and the override that other stand-ins (the upload recorder) are made of.
#pragma once

#include "glsupport/host_gl.h"

#if defined(MOSARO_BUILTIN_GL_LOADER)
#include "glsupport/gl_entry_points.h"
#endif

#include <cstddef>
#include <map>
#include <string>
#include <tuple>
#include <type_traits>

// The slot that the product's calls of glName go through (given without "gl", which GL headers make a macro of):
// the built-in loader's table, or libepoxy's pointer.
#if defined(MOSARO_BUILTIN_GL_LOADER)
#define MOSARO_PRODUCT_GL_SLOT(Name) (&glsupport::gl_entry::pgl##Name)
#else
#define MOSARO_PRODUCT_GL_SLOT(Name) (&epoxy_gl##Name)
#endif

namespace testsupport {

// Counts per entry point ("glBindBuffer"), per entry point with its last argument when that is integral
// ("glBindBuffer(0)") or a text ("glGetUniformLocation(shift)"), and per entry point with its first
// argument when that is integral and others follow ("glUniform1f[-1]": a uniform set at no location).
inline std::map<std::string, int>& SpiedCalls() {
  static std::map<std::string, int> calls;
  return calls;
}

// Stands in for the loader's function in *Slot while installed; CallThrough calls the loader's function.
template <auto* Slot, typename Fn = std::remove_pointer_t<decltype(Slot)>>
struct EntryPointOverride;

template <auto* Slot, typename R, typename... A>
struct EntryPointOverride<Slot, R (*)(A...)> {
  static inline R (*original)(A...) = nullptr;
  static inline R (*replacement)(A...) = nullptr;

  static void Install(R (*with)(A...)) {
    replacement = with;
    original = *Slot;
    *Slot = with;
  }
  static void Restore() {
    if (*Slot == replacement) *Slot = original;
  }
  // The loader's first-call stub resolves only while the slot holds the stub itself, so the slot is handed
  // back for the call and the (possibly resolved) function taken from it afterwards.
  static R CallThrough(A... args) {
    *Slot = original;
    if constexpr (std::is_void_v<R>) {
      original(args...);
      Reinstall();
    } else {
      R result = original(args...);
      Reinstall();
      return result;
    }
  }

 private:
  static void Reinstall() {
    original = *Slot;
    *Slot = replacement;
  }
};

template <auto* Slot, typename Fn = std::remove_pointer_t<decltype(Slot)>>
struct SpiedEntryPoint;

// Counts the calls through *Slot, then calls the loader's function.
template <auto* Slot, typename R, typename... A>
struct SpiedEntryPoint<Slot, R (*)(A...)> {
  using Override = EntryPointOverride<Slot>;
  static inline const char* name = "";

  static void Install(const char* entryName) {
    name = entryName;
    Override::Install(&Call);
  }
  static void Restore() { Override::Restore(); }

  static R Call(A... args) {
    ++SpiedCalls()[name];
    if constexpr (sizeof...(A) > 0) {
      auto last = std::get<sizeof...(A) - 1>(std::forward_as_tuple(args...));
      if constexpr (std::is_integral_v<decltype(last)>) {
        ++SpiedCalls()[std::string(name) + "(" + std::to_string(last) + ")"];
      } else if constexpr (std::is_same_v<decltype(last), const char*>) {
        ++SpiedCalls()[std::string(name) + "(" + (last ? last : "") + ")"];
      }
    }
    if constexpr (sizeof...(A) > 1) {
      auto first = std::get<0>(std::forward_as_tuple(args...));
      if constexpr (std::is_integral_v<decltype(first)>) {
        ++SpiedCalls()[std::string(name) + "[" + std::to_string(first) + "]"];
      }
    }
    return Override::CallThrough(args...);
  }
};

#define MOSARO_FOR_EACH_SPIED_GL_CALL(X)                                                                   \
  X(CreateShader) X(ShaderSource) X(CompileShader) X(DeleteShader) X(CreateProgram) X(AttachShader)       \
  X(LinkProgram) X(DeleteProgram) X(GetUniformLocation) X(UseProgram) X(BindBuffer) X(BindTexture)        \
  X(BindVertexArray) X(ActiveTexture) X(GenBuffers) X(GenVertexArrays) X(DeleteBuffers)                  \
  X(DeleteVertexArrays) X(BufferData) X(DrawArrays) X(Uniform1f) X(Uniform1i) X(Uniform2f)

#define MOSARO_INSTALL_SPY(Name) SpiedEntryPoint<MOSARO_PRODUCT_GL_SLOT(Name)>::Install("gl" #Name);
#define MOSARO_RESTORE_SPY(Name) SpiedEntryPoint<MOSARO_PRODUCT_GL_SLOT(Name)>::Restore();

// While alive, counts the calls of the listed entry points made through the loader.
class GlCallSpy {
 public:
  GlCallSpy() {
    SpiedCalls().clear();
    MOSARO_FOR_EACH_SPIED_GL_CALL(MOSARO_INSTALL_SPY)
  }
  GlCallSpy(const GlCallSpy&) = delete;
  GlCallSpy& operator=(const GlCallSpy&) = delete;
  ~GlCallSpy() {
    MOSARO_FOR_EACH_SPIED_GL_CALL(MOSARO_RESTORE_SPY)
  }

  // Calls of "glName", of "glName(last argument)" or of "glName[first argument]".
  int Calls(const std::string& key) const {
    auto found = SpiedCalls().find(key);
    return found == SpiedCalls().end() ? 0 : found->second;
  }
  // Calls of all listed entry points together.
  int TotalCalls() const {
    int total = 0;
    for (const auto& entry : SpiedCalls()) {
      if (entry.first.find_first_of("([") == std::string::npos) total += entry.second;
    }
    return total;
  }
};

}  // namespace testsupport
