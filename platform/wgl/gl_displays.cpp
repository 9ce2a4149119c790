#include "wgl/gl_displays.h"

#include <EGL/eglext.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

namespace linvale::platform {

namespace {

bool HasExtension(const char* extensions, std::string_view name) {
  if (extensions == nullptr) {
    return false;
  }
  std::string_view list(extensions);
  for (std::size_t start = 0; start < list.size();) {
    const std::size_t end = std::min(list.find(' ', start), list.size());
    if (list.substr(start, end - start) == name) {
      return true;
    }
    start = end + 1;
  }
  return false;
}

// The display's config when it cannot make contexts without one.
std::optional<EGLConfig> ContextConfig(EGLDisplay display) {
  if (HasExtension(eglQueryString(display, EGL_EXTENSIONS), "EGL_KHR_no_config_context")) {
    return EGLConfig{nullptr};
  }
  const EGLint attributes[] = {EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_NONE};
  EGLConfig config = nullptr;
  EGLint count = 0;
  if (eglChooseConfig(display, attributes, &config, 1, &count) != EGL_TRUE || count == 0) {
    return std::nullopt;
  }
  return config;
}

// Restores whatever context the thread had current when it goes.
class CurrentContextGuard {
public:
  CurrentContextGuard() : mDisplay(eglGetCurrentDisplay()), mContext(eglGetCurrentContext()), mApi(eglQueryAPI()) {}
  ~CurrentContextGuard() {
    eglBindAPI(mApi);
    if (mDisplay != EGL_NO_DISPLAY) {
      eglMakeCurrent(mDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, mContext);
    }
  }
  CurrentContextGuard(const CurrentContextGuard&) = delete;
  CurrentContextGuard& operator=(const CurrentContextGuard&) = delete;

private:
  EGLDisplay mDisplay;
  EGLContext mContext;
  EGLenum mApi;
};

// The largest picture a context can draw: the smallest of the texture,
// renderbuffer and viewport limits.
std::optional<int> ProbeMaxDimension(const GlDisplay& display) {
  CurrentContextGuard restore;
  const EGLContext context = CreateCompatibilityContext(display);
  if (context == EGL_NO_CONTEXT) {
    return std::nullopt;
  }
  std::optional<int> limit;
  if (eglMakeCurrent(display.display, EGL_NO_SURFACE, EGL_NO_SURFACE, context) == EGL_TRUE) {
    GLint texture = 0;
    GLint renderbuffer = 0;
    std::array<GLint, 2> viewport{};
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &texture);
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &renderbuffer);
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, viewport.data());
    limit = std::min({texture, renderbuffer, viewport[0], viewport[1]});
    eglMakeCurrent(display.display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  }
  eglDestroyContext(display.display, context);
  return limit;
}

std::optional<GlDisplay> OpenDisplay(EGLDisplay display) {
  if (display == EGL_NO_DISPLAY || eglInitialize(display, nullptr, nullptr) != EGL_TRUE) {
    return std::nullopt;
  }
  if (!HasExtension(eglQueryString(display, EGL_EXTENSIONS), "EGL_KHR_surfaceless_context")) {
    return std::nullopt;
  }
  const auto config = ContextConfig(display);
  if (!config) {
    return std::nullopt;
  }
  GlDisplay opened{display, *config, 0};
  const auto limit = ProbeMaxDimension(opened);
  if (!limit) {
    return std::nullopt;
  }
  opened.maxDimension = *limit;
  return opened;
}

bool IsSoftwareDevice(EGLDeviceEXT device) {
  const auto queryString =
      reinterpret_cast<PFNEGLQUERYDEVICESTRINGEXTPROC>(eglGetProcAddress("eglQueryDeviceStringEXT"));
  return queryString != nullptr && HasExtension(queryString(device, EGL_EXTENSIONS), "EGL_MESA_device_software");
}

struct Displays {
  std::optional<GlDisplay> software;
  std::optional<GlDisplay> hardware;
};

// Each EGL device is one GPU or Mesa's software rasteriser. When devices
// cannot be listed, the surfaceless platform stands in for the software
// one.
Displays FindDisplays() {
  Displays found;
  const auto queryDevices = reinterpret_cast<PFNEGLQUERYDEVICESEXTPROC>(eglGetProcAddress("eglQueryDevicesEXT"));
  std::array<EGLDeviceEXT, 16> devices{};
  EGLint count = 0;
  if (queryDevices != nullptr && queryDevices(static_cast<EGLint>(devices.size()), devices.data(), &count)) {
    for (EGLint i = 0; i < count; ++i) {
      const bool software = IsSoftwareDevice(devices[static_cast<std::size_t>(i)]);
      auto& slot = software ? found.software : found.hardware;
      if (!slot) {
        const EGLDeviceEXT device = devices[static_cast<std::size_t>(i)];
        slot = OpenDisplay(eglGetPlatformDisplay(EGL_PLATFORM_DEVICE_EXT, device, nullptr));
      }
    }
  }
  if (!found.software) {
    found.software = OpenDisplay(eglGetPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr));
  }
  return found;
}

}  // namespace

const GlDisplay* DisplayFor(GlRenderer renderer) {
  static const Displays displays = FindDisplays();
  const auto& display = renderer == GlRenderer::Software ? displays.software : displays.hardware;
  return display ? &*display : nullptr;
}

EGLContext CreateCompatibilityContext(const GlDisplay& display) {
  if (eglBindAPI(EGL_OPENGL_API) != EGL_TRUE) {
    return EGL_NO_CONTEXT;
  }
  // Contexts reach their bitmap through framebuffers with direct state
  // access, which takes OpenGL 4.5.
  const EGLint attributes[] = {EGL_CONTEXT_MAJOR_VERSION,
                               4,
                               EGL_CONTEXT_MINOR_VERSION,
                               5,
                               EGL_CONTEXT_OPENGL_PROFILE_MASK,
                               EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT,
                               EGL_NONE};
  return eglCreateContext(display.display, display.config, EGL_NO_CONTEXT, attributes);
}

}  // namespace linvale::platform
