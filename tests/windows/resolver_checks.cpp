// The Windows GL resolver: the values drivers return from wglGetProcAddress for a missing function make it
// fall back to opengl32.dll's exports; real values are kept.
#include <windows.h>

#include <cstdint>

#include "glsupport/gl_proc_resolver.h"
#include "tests/support/checks.h"
#include "tests/windows/windows_checks.h"

namespace wintest {

namespace {

using glsupport::GlProc;

intptr_t contextAnswer = 0;
int libraryCalls = 0;

void SomeFunction() {}

GlProc FakeContextLookup(const char*) { return reinterpret_cast<GlProc>(contextAnswer); }

GlProc OpenGl32Export(const char* name) {
  ++libraryCalls;
  return reinterpret_cast<GlProc>(GetProcAddress(GetModuleHandleA("opengl32.dll"), name));
}

}  // namespace

void CheckProcResolver() {
  testsupport::checks::Group("GL resolver with opengl32.dll fallback");
  if (!CHECK(LoadLibraryA("opengl32.dll") != nullptr)) return;
  const GlProc bindTexture = OpenGl32Export("glBindTexture");
  CHECK(bindTexture != nullptr);

  for (intptr_t missing : {intptr_t{0}, intptr_t{1}, intptr_t{2}, intptr_t{3}, intptr_t{-1}}) {
    contextAnswer = missing;
    CHECK(glsupport::IsMissingProc(reinterpret_cast<GlProc>(missing)));
    CHECK(glsupport::ResolveWithLibraryFallback("glBindTexture", &FakeContextLookup, &OpenGl32Export) ==
              bindTexture);
    // A function that opengl32.dll does not export stays missing.
    CHECK(glsupport::ResolveWithLibraryFallback("glCreateShader", &FakeContextLookup, &OpenGl32Export) ==
              nullptr);
  }

  contextAnswer = reinterpret_cast<intptr_t>(&SomeFunction);
  libraryCalls = 0;
  CHECK(glsupport::ResolveWithLibraryFallback("glBindTexture", &FakeContextLookup, &OpenGl32Export) ==
            reinterpret_cast<GlProc>(&SomeFunction));
  CHECK_EQ(libraryCalls, 0);
  for (intptr_t present : {intptr_t{4}, intptr_t{-2}, intptr_t{0x10000}})
    CHECK(!glsupport::IsMissingProc(reinterpret_cast<GlProc>(present)));

  // The real lookup without a current context: wglGetProcAddress finds nothing, opengl32.dll the GL 1.1 exports.
  CHECK(glsupport::CurrentContextLookup() == nullptr);
  CHECK(glsupport::LookUpWithWgl("glBindTexture") == bindTexture);
  CHECK(glsupport::LookUpWithWgl("glGetString") == OpenGl32Export("glGetString"));
  CHECK(glsupport::LookUpWithWgl("glCreateShader") == nullptr);
}

}  // namespace wintest
