// How every shader's render ends, whichever way it goes: a finished or a
// cancelled render hands over what it drew, a failed one gives no picture
// and says why, and nothing leaves the plug-in.
#pragma once

#include <linvale/npr_gl_bitmap_context.h>
#include <linvale/npr_shader.h>
#include <linvale/npr_shader_support.h>

// Calls `draw`, which draws into `context` and stops the render early by
// throwing NprShader::StopReason. Returns the picture when `draw` returned
// or was cancelled; null when it failed (after showing the system's last
// error captioned `errorCaption`, unless that is null) or threw anything
// else, such as a host's progress object or memory running out.
template <typename Draw>
HBITMAP NprRunRenderPass(NprGlBitmapContext& context, const char* errorCaption, Draw&& draw) noexcept {
  try {
    draw();
    return context.Finish();
  } catch (NprShader::StopReason reason) {
    if (reason == NprShader::StopReason::Canceled) {
      return context.Finish();
    }
    if (errorCaption != nullptr) {
      NprShowLastErrorBox(errorCaption);
    }
  } catch (...) {
    // A failed render: the context's owner deletes the blank bitmap.
  }
  return nullptr;
}
