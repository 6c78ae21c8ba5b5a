// Counts calls of chosen GL entry points by swapping the loader's function pointers while a spy lives.
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

namespace testsupport {

// Counts per entry point ("glBindBuffer"), per entry point with its last argument when that is integral
// ("glBindBuffer(0)") or a text ("glGetUniformLocation(shift)"), and per entry point with its first
// argument when that is integral and others follow ("glUniform1f[-1]": a uniform set at no location).
inline std::map<std::string, int>& SpiedCalls() {
  static std::map<std::string, int> calls;
  return calls;
}

template <auto* Slot, typename Fn = std::remove_pointer_t<decltype(Slot)>>
struct SpiedEntryPoint;

// Replaces *Slot with a recorder that forwards to the loader's function.
template <auto* Slot, typename R, typename... A>
struct SpiedEntryPoint<Slot, R (*)(A...)> {
  static inline R (*original)(A...) = nullptr;
  static inline const char* name = "";

  static void Install(const char* entryName) {
    name = entryName;
    original = *Slot;
    *Slot = &Call;
  }
  static void Restore() {
    if (*Slot == &Call) *Slot = original;
  }

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
    // The loader's first-call stub resolves only while the slot holds the stub itself, so the slot is
    // handed back for the call and the (possibly resolved) function taken from it afterwards.
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

  static void Reinstall() {
    original = *Slot;
    *Slot = &Call;
  }
};

#define MOSARO_FOR_EACH_SPIED_GL_CALL(X)                                                                   \
  X(glCreateShader) X(glShaderSource) X(glCompileShader) X(glDeleteShader) X(glCreateProgram)             \
  X(glAttachShader) X(glLinkProgram) X(glDeleteProgram) X(glGetUniformLocation) X(glUseProgram)           \
  X(glBindBuffer) X(glBindTexture) X(glBindVertexArray) X(glActiveTexture) X(glGenBuffers)                \
  X(glGenVertexArrays) X(glDeleteBuffers) X(glDeleteVertexArrays) X(glBufferData) X(glDrawArrays)         \
  X(glUniform1f) X(glUniform1i) X(glUniform2f)

// The slots that the product's calls go through: the built-in loader's table, or libepoxy's pointers.
#if defined(MOSARO_BUILTIN_GL_LOADER)
#define MOSARO_INSTALL_SPY(fn) SpiedEntryPoint<&glsupport::gl_entry::p##fn>::Install(#fn);
#define MOSARO_RESTORE_SPY(fn) SpiedEntryPoint<&glsupport::gl_entry::p##fn>::Restore();
#else
#define MOSARO_INSTALL_SPY(fn) SpiedEntryPoint<&epoxy_##fn>::Install(#fn);
#define MOSARO_RESTORE_SPY(fn) SpiedEntryPoint<&epoxy_##fn>::Restore();
#endif

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
