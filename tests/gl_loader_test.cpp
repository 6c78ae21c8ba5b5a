// The GL loader seam: the resolver's rules with injected lookups, the built-in table, and loading with and
// without a current context (a real headless GL 4.1 context).
#include <gtest/gtest.h>

#include "glsupport/host_gl.h"
#if defined(_WIN32)
#include <windows.h>
#else
// After the GL header, as libepoxy requires.
#include <epoxy/egl.h>
#endif

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "glsupport/gl_entry_points.h"
#include "glsupport/gl_loader.h"
#include "glsupport/gl_proc_resolver.h"
#include "glsupport/gl_version.h"
#include "tests/support/shared_context.h"

namespace {

using glsupport::GlProc;

intptr_t Bits(GlProc proc) { return reinterpret_cast<intptr_t>(proc); }
GlProc Proc(intptr_t bits) { return reinterpret_cast<GlProc>(bits); }

// A context lookup answering one fixed value, and a library lookup that records what it was asked.
intptr_t contextAnswer = 0;
GlProc libraryAnswer = nullptr;
std::vector<std::string> libraryAsked;
GlProc FakeContextLookup(const char*) { return Proc(contextAnswer); }
GlProc FakeLibraryLookup(const char* name) {
  libraryAsked.emplace_back(name);
  return libraryAnswer;
}
void LibraryFunction() {}

TEST(ProcResolver, DriverValuesForAMissingFunctionFallBackToTheLibraryExport) {
  libraryAnswer = &LibraryFunction;
  for (intptr_t missing : {intptr_t{0}, intptr_t{1}, intptr_t{2}, intptr_t{3}, intptr_t{-1}}) {
    contextAnswer = missing;
    libraryAsked.clear();
    EXPECT_TRUE(glsupport::IsMissingProc(Proc(missing))) << missing;
    EXPECT_EQ(Bits(glsupport::ResolveWithLibraryFallback("glBindTexture", &FakeContextLookup, &FakeLibraryLookup)),
              Bits(&LibraryFunction))
        << missing;
    EXPECT_EQ(libraryAsked, std::vector<std::string>{"glBindTexture"}) << missing;
  }
}

TEST(ProcResolver, EveryOtherValueIsTheFunctionAndTheLibraryIsNotAsked) {
  libraryAnswer = &LibraryFunction;
  for (intptr_t present : {intptr_t{4}, intptr_t{-2}, intptr_t{0x10000}, INTPTR_MAX, INTPTR_MIN}) {
    contextAnswer = present;
    libraryAsked.clear();
    EXPECT_FALSE(glsupport::IsMissingProc(Proc(present))) << present;
    EXPECT_EQ(Bits(glsupport::ResolveWithLibraryFallback("glCreateShader", &FakeContextLookup, &FakeLibraryLookup)),
              present);
    EXPECT_TRUE(libraryAsked.empty()) << present;
  }
}

TEST(ProcResolver, MissingInContextAndLibraryIsNull) {
  contextAnswer = 2;
  libraryAnswer = nullptr;
  EXPECT_EQ(glsupport::ResolveWithLibraryFallback("glCreateShader", &FakeContextLookup, &FakeLibraryLookup), nullptr);
}

TEST(GlVersion, ReadsMajorAndMinorOfDesktopAndEsTexts) {
  EXPECT_EQ(glsupport::ParseGlVersion("4.1 (Core Profile) Mesa 22.3.6"), 41);
  EXPECT_EQ(glsupport::ParseGlVersion("4.6.0 NVIDIA 535.54"), 46);
  EXPECT_EQ(glsupport::ParseGlVersion("3.3.0 - Build 30.0"), 33);
  EXPECT_EQ(glsupport::ParseGlVersion("OpenGL ES 3.2 Mesa 22.3.6"), 32);
  EXPECT_EQ(glsupport::ParseGlVersion("10.2"), 102);
}

TEST(GlVersion, TextsWithoutMajorDotMinorAreZero) {
  EXPECT_EQ(glsupport::ParseGlVersion(nullptr), 0);
  EXPECT_EQ(glsupport::ParseGlVersion(""), 0);
  EXPECT_EQ(glsupport::ParseGlVersion("OpenGL"), 0);
  EXPECT_EQ(glsupport::ParseGlVersion("4"), 0);
  EXPECT_EQ(glsupport::ParseGlVersion("4."), 0);
  EXPECT_EQ(glsupport::ParseGlVersion("4.x"), 0);
  EXPECT_EQ(glsupport::ParseGlVersion("99999999999.1"), 0);
}

// The table's names and slots in list order, from the list the table is made from.
std::vector<std::string> TableNames() {
#define MOSARO_NAME_OF_SLOT(type, name) #name,
  return {MOSARO_GL_ENTRY_POINTS(MOSARO_NAME_OF_SLOT)};
#undef MOSARO_NAME_OF_SLOT
}
std::vector<intptr_t> TableSlots() {
#define MOSARO_BITS_OF_SLOT(type, name) Bits(reinterpret_cast<GlProc>(glsupport::gl_entry::p##name)),
  return {MOSARO_GL_ENTRY_POINTS(MOSARO_BITS_OF_SLOT)};
#undef MOSARO_BITS_OF_SLOT
}

// A lookup that answers 0x1000, 0x1010, ... in the order asked, and nothing for the name in refused.
std::vector<std::string> asked;
std::string refused;
GlProc NumberingLookup(const char* name) {
  asked.emplace_back(name);
  return refused == name ? nullptr : Proc(0x1000 + 0x10 * static_cast<intptr_t>(asked.size() - 1));
}

// Every test starts and ends with the first-call stubs in the slots.
class EntryPointTable : public ::testing::Test {
 protected:
  void SetUp() override {
    glsupport::RestoreFirstCallStubs();
    stubs = TableSlots();
    asked.clear();
    refused.clear();
  }
  void TearDown() override { glsupport::RestoreFirstCallStubs(); }
  std::vector<intptr_t> stubs;
};

TEST_F(EntryPointTable, StubsAreDistinctAndRestored) {
  ASSERT_EQ(stubs.size(), TableNames().size());
  for (size_t i = 0; i < stubs.size(); ++i) {
    EXPECT_NE(stubs[i], 0) << TableNames()[i];
    for (size_t j = i + 1; j < stubs.size(); ++j) EXPECT_NE(stubs[i], stubs[j]) << TableNames()[i];
  }
}

TEST_F(EntryPointTable, ResolvesEveryFunctionOnceInListOrder) {
  glsupport::EntryPointStatus status = glsupport::ResolveEntryPoints(&NumberingLookup);
  EXPECT_TRUE(status.resolved);
  EXPECT_EQ(status.missing, nullptr);
  EXPECT_EQ(asked, TableNames());
  std::vector<intptr_t> slots = TableSlots();
  ASSERT_EQ(slots.size(), asked.size());
  for (size_t i = 0; i < slots.size(); ++i) EXPECT_EQ(slots[i], 0x1000 + 0x10 * static_cast<intptr_t>(i)) << asked[i];
}

TEST_F(EntryPointTable, AMissingFunctionIsNamedAndEverySlotKeepsItsStub) {
  refused = "glMapBufferRange";
  glsupport::EntryPointStatus status = glsupport::ResolveEntryPoints(&NumberingLookup);
  EXPECT_FALSE(status.resolved);
  ASSERT_NE(status.missing, nullptr);
  EXPECT_STREQ(status.missing, "glMapBufferRange");
  ASSERT_FALSE(asked.empty());
  EXPECT_EQ(asked.back(), "glMapBufferRange");  // the search stops there
  EXPECT_EQ(TableSlots(), stubs);
}

TEST_F(EntryPointTable, ALastMissingFunctionStillLeavesTheStubs) {
  refused = TableNames().back();
  EXPECT_FALSE(glsupport::ResolveEntryPoints(&NumberingLookup).resolved);
  EXPECT_EQ(asked, TableNames());
  EXPECT_EQ(TableSlots(), stubs);
}

TEST_F(EntryPointTable, NoLookupNamesTheFirstFunction) {
  glsupport::EntryPointStatus status = glsupport::ResolveEntryPoints(nullptr);
  EXPECT_FALSE(status.resolved);
  EXPECT_STREQ(status.missing, TableNames().front().c_str());
  EXPECT_EQ(TableSlots(), stubs);
}

// The same table against a real context.
class LoaderWithContext : public EntryPointTable {
 protected:
  void SetUp() override {
    EntryPointTable::SetUp();
    ASSERT_TRUE(context().valid()) << context().error();
    ASSERT_TRUE(context().MakeCurrent());
  }
  void TearDown() override {
    EXPECT_TRUE(context().MakeCurrent());
    EntryPointTable::TearDown();
  }
  static caller::GlContext& context() { return testsupport::SharedContext(); }
#if defined(_WIN32)
  // The test's context is WGL's: the driver's answer, or opengl32.dll's export for the GL 1.1 functions.
  static constexpr glsupport::ProcLookup kContextLookup = &glsupport::LookUpWithWgl;
  static intptr_t ContextAddress(const char* name) {
    const intptr_t driver = Bits(reinterpret_cast<GlProc>(wglGetProcAddress(name)));
    if (driver < -1 || driver > 3) return driver;
    return Bits(reinterpret_cast<GlProc>(GetProcAddress(GetModuleHandleW(L"opengl32.dll"), name)));
  }
#else
  // The test's context is EGL's.
  static constexpr glsupport::ProcLookup kContextLookup = &glsupport::LookUpWithEgl;
  static intptr_t ContextAddress(const char* name) { return Bits(eglGetProcAddress(name)); }
#endif
};

TEST_F(LoaderWithContext, LookupFollowsTheCurrentContext) {
  EXPECT_TRUE(glsupport::HasCurrentContext());
  EXPECT_EQ(glsupport::CurrentContextLookup(), kContextLookup);
  EXPECT_EQ(Bits(kContextLookup("glCreateShader")), ContextAddress("glCreateShader"));
  EXPECT_NE(ContextAddress("glCreateShader"), 0);
  EXPECT_EQ(Bits(kContextLookup("glGetString")), ContextAddress("glGetString"));
  context().ReleaseCurrent();
  EXPECT_FALSE(glsupport::HasCurrentContext());
  EXPECT_EQ(glsupport::CurrentContextLookup(), nullptr);
}

TEST_F(LoaderWithContext, FirstCallResolvesOnlyItsOwnSlot) {
  const auto* version = glsupport::gl_entry::pglGetString(GL_VERSION);
  ASSERT_NE(version, nullptr);
  EXPECT_GE(glsupport::ParseGlVersion(reinterpret_cast<const char*>(version)), 41);
  std::vector<intptr_t> slots = TableSlots();
  std::vector<std::string> names = TableNames();
  for (size_t i = 0; i < slots.size(); ++i) {
    if (names[i] == "glGetString") {
      EXPECT_EQ(slots[i], ContextAddress("glGetString"));
    } else {
      EXPECT_EQ(slots[i], stubs[i]) << names[i];
    }
  }
}

TEST_F(LoaderWithContext, FirstCallWithoutContextDoesNothingAndReturnsZero) {
  context().ReleaseCurrent();
  EXPECT_EQ(glsupport::gl_entry::pglGetString(GL_VERSION), nullptr);
  EXPECT_EQ(glsupport::gl_entry::pglCreateShader(GL_VERTEX_SHADER), 0u);
  glsupport::gl_entry::pglEnable(GL_BLEND);
  EXPECT_EQ(TableSlots(), stubs);
}

TEST_F(LoaderWithContext, LoadingFailsCleanlyWithoutContextAndSucceedsWithOne) {
  context().ReleaseCurrent();
  EXPECT_FALSE(glsupport::LoadEntryPoints());
  EXPECT_EQ(TableSlots(), stubs);
  ASSERT_TRUE(context().MakeCurrent());
  EXPECT_TRUE(glsupport::LoadEntryPoints());
  std::vector<intptr_t> slots = TableSlots();
  std::vector<std::string> names = TableNames();
#if defined(MOSARO_BUILTIN_GL_LOADER)
  // The built-in loader fills the whole table from the context.
  for (size_t i = 0; i < slots.size(); ++i) EXPECT_EQ(slots[i], ContextAddress(names[i].c_str())) << names[i];
#else
  // libepoxy resolves the product's calls; the built-in table is not touched.
  EXPECT_EQ(slots, stubs);
#endif
}

}  // namespace
