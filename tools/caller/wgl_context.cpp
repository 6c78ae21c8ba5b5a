#include "tools/caller/gl_context.h"

#include <windows.h>

#include "glsupport/gl_proc_resolver.h"
#include "glsupport/host_gl.h"

#include <GL/wglext.h>  // after the GL types

namespace caller {

namespace {

constexpr wchar_t kWindowClass[] = L"MosaroHeadlessGl";

bool RegisterWindowClass() {
  WNDCLASSEXW windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_OWNDC;
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kWindowClass;
  return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

std::string WithError(const char* what) {
  return std::string(what) + " (error " + std::to_string(GetLastError()) + ")";
}

}  // namespace

GlContext::~GlContext() {
  if (context) {
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(static_cast<HGLRC>(context));
  }
  if (display) ReleaseDC(static_cast<HWND>(window), static_cast<HDC>(display));
  if (window) DestroyWindow(static_cast<HWND>(window));
}

bool GlContext::Create() {
  if (!RegisterWindowClass()) {
    lastError = WithError("cannot register the window class of the hidden GL window");
    return false;
  }
  // Never shown: the window exists only to give the context a pixel format and a device context.
  HWND hiddenWindow = CreateWindowExW(0, kWindowClass, L"", WS_OVERLAPPEDWINDOW, 0, 0, 16, 16, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
  if (!hiddenWindow) {
    lastError = WithError("cannot create the hidden GL window");
    return false;
  }
  window = hiddenWindow;
  HDC deviceContext = GetDC(hiddenWindow);
  display = deviceContext;
  PIXELFORMATDESCRIPTOR format = {};
  format.nSize = sizeof format;
  format.nVersion = 1;
  format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  format.iPixelType = PFD_TYPE_RGBA;
  format.cColorBits = 32;
  format.cAlphaBits = 8;
  format.iLayerType = PFD_MAIN_PLANE;
  const int chosen = ChoosePixelFormat(deviceContext, &format);
  if (chosen == 0 || !SetPixelFormat(deviceContext, chosen, &format)) {
    lastError = WithError("no OpenGL pixel format for the hidden window");
    return false;
  }
  // A legacy context first: only with one current does wglGetProcAddress offer wglCreateContextAttribsARB.
  HGLRC legacy = wglCreateContext(deviceContext);
  if (!legacy || !wglMakeCurrent(deviceContext, legacy)) {
    if (legacy) wglDeleteContext(legacy);
    lastError = WithError("wglCreateContext failed");
    return false;
  }
  auto createWithAttributes = reinterpret_cast<PFNWGLCREATECONTEXTATTRIBSARBPROC>(
      reinterpret_cast<void (*)()>(wglGetProcAddress("wglCreateContextAttribsARB")));
  const int attributes[] = {WGL_CONTEXT_MAJOR_VERSION_ARB, 4, WGL_CONTEXT_MINOR_VERSION_ARB, 1,
                            WGL_CONTEXT_PROFILE_MASK_ARB, WGL_CONTEXT_CORE_PROFILE_BIT_ARB,
                            WGL_CONTEXT_FLAGS_ARB, WGL_CONTEXT_FORWARD_COMPATIBLE_BIT_ARB, 0};
  HGLRC core = createWithAttributes ? createWithAttributes(deviceContext, nullptr, attributes) : nullptr;
  wglMakeCurrent(nullptr, nullptr);
  wglDeleteContext(legacy);
  if (!core) {
    lastError = createWithAttributes ? "wglCreateContextAttribsARB for OpenGL 4.1 core failed"
                                     : "the driver offers no wglCreateContextAttribsARB";
    return false;
  }
  context = core;
  if (!MakeCurrent()) {
    lastError = WithError("wglMakeCurrent failed");
    return false;
  }
  if (const char* missing = glsupport::host_gl::Resolve()) {
    lastError = std::string("the OpenGL context lacks ") + missing;
    return false;
  }
  return true;
}

void GlContext::ReleaseCurrent() { wglMakeCurrent(nullptr, nullptr); }

bool GlContext::MakeCurrent() {
  return context && wglMakeCurrent(static_cast<HDC>(display), static_cast<HGLRC>(context));
}

}  // namespace caller
