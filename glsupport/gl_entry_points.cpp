#include "glsupport/gl.h"
#include "glsupport/gl_entry_points.h"

#include <cstddef>
#include <type_traits>

namespace glsupport {

namespace {

template <auto* Slot, const char* Name, typename Fn = std::remove_pointer_t<decltype(Slot)>>
struct FirstCallStub;

// Resolves *Slot with the current context, then calls it; without a context or function it returns zero.
template <auto* Slot, const char* Name, typename R, typename... A>
struct FirstCallStub<Slot, Name, R (*)(A...)> {
  static R Call(A... args) {
    ProcLookup lookup = CurrentContextLookup();
    GlProc proc = lookup != nullptr ? lookup(Name) : nullptr;
    if (proc == nullptr) return R();
    *Slot = reinterpret_cast<R (*)(A...)>(proc);
    return (*Slot)(args...);
  }
};

#define MOSARO_GL_NAME(type, name) constexpr char kName_##name[] = #name;
MOSARO_GL_ENTRY_POINTS(MOSARO_GL_NAME)
#undef MOSARO_GL_NAME

#define MOSARO_COUNT_GL_SLOT(type, name) +1
constexpr size_t kEntryPointCount = 0 MOSARO_GL_ENTRY_POINTS(MOSARO_COUNT_GL_SLOT);
#undef MOSARO_COUNT_GL_SLOT

}  // namespace

namespace gl_entry {
#define MOSARO_DEFINE_GL_SLOT(type, name) type p##name = &FirstCallStub<&p##name, kName_##name>::Call;
MOSARO_GL_ENTRY_POINTS(MOSARO_DEFINE_GL_SLOT)
#undef MOSARO_DEFINE_GL_SLOT
}  // namespace gl_entry

EntryPointStatus ResolveEntryPoints(ProcLookup lookup) {
  GlProc found[kEntryPointCount] = {};
  size_t next = 0;
#define MOSARO_LOOK_UP_GL_SLOT(type, name)                       \
  found[next] = lookup != nullptr ? lookup(#name) : nullptr;     \
  if (found[next] == nullptr) return {false, kName_##name};      \
  ++next;
  MOSARO_GL_ENTRY_POINTS(MOSARO_LOOK_UP_GL_SLOT)
#undef MOSARO_LOOK_UP_GL_SLOT
  next = 0;
#define MOSARO_STORE_GL_SLOT(type, name) gl_entry::p##name = reinterpret_cast<type>(found[next++]);
  MOSARO_GL_ENTRY_POINTS(MOSARO_STORE_GL_SLOT)
#undef MOSARO_STORE_GL_SLOT
  return {true, nullptr};
}

void RestoreFirstCallStubs() {
#define MOSARO_RESTORE_GL_SLOT(type, name) gl_entry::p##name = &FirstCallStub<&gl_entry::p##name, kName_##name>::Call;
  MOSARO_GL_ENTRY_POINTS(MOSARO_RESTORE_GL_SLOT)
#undef MOSARO_RESTORE_GL_SLOT
}

}  // namespace glsupport
