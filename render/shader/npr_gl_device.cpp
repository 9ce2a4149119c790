#include <linvale/npr_gl_device.h>

#include <linvale/npr_win32_owners.h>
#include <windows.h>

#include <cstdlib>
#include <string_view>

namespace {

constexpr const char* kVariable = "LINVALE_GL_DEVICE";

// The machine offers a GPU when one of the pixel formats is neither generic
// nor generic-accelerated.
bool GpuFormatOffered() {
  const NprScreenDC screen = NprGetScreenDC();
  PIXELFORMATDESCRIPTOR format{};
  const int count = DescribePixelFormat(screen.get(), 0, sizeof format, &format);
  for (int index = 1; index <= count; ++index) {
    if (DescribePixelFormat(screen.get(), index, sizeof format, &format) != 0 &&
        (format.dwFlags & (PFD_GENERIC_FORMAT | PFD_GENERIC_ACCELERATED)) == 0) {
      return true;
    }
  }
  return false;
}

}  // namespace

NprGlDeviceChoice NprChooseGlDevice(const char* request, bool gpuOffered) {
  const std::string_view asked = request != nullptr ? request : "";
  const NprGlDevice best = gpuOffered ? NprGlDevice::Gpu : NprGlDevice::Software;
  if (asked.empty() || asked == "auto") {
    return {best, {}};
  }
  if (asked == "software" || asked == "llvmpipe") {
    return {NprGlDevice::Software, {}};
  }
  if (asked == "gpu") {
    if (gpuOffered) {
      return {NprGlDevice::Gpu, {}};
    }
    return {NprGlDevice::Software, std::string(kVariable) +
                                       "=gpu, but this machine has no GPU with an EGL device (only the software "
                                       "rasteriser); unset it or set it to software"};
  }
  return {best, std::string(kVariable) + "=" + std::string(asked) + " is not a device: use software, gpu or auto"};
}

NprGlDeviceChoice NprCurrentGlDevice() { return NprChooseGlDevice(std::getenv(kVariable), GpuFormatOffered()); }

unsigned long NprGlFormatFlags(NprGlDevice device) {
  return device == NprGlDevice::Software ? PFD_GENERIC_FORMAT : 0ul;
}
