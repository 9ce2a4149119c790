// A host for tests that need one installed but read none of its messages.
#pragma once

#include <linvale/npr_host_application_services.h>

namespace linvale::test {

class QuietHost : public NprHostApplicationServices {
public:
  void Print(const char*, ...) override {}
  void OnPreviewSettings(NprRenderSettings&) override {}
};

}  // namespace linvale::test
