// The host object npr-render installs: the renderer's diagnostics go to
// standard error, everything else keeps the library's defaults.
#pragma once

#include <linvale/npr_host_application_services.h>

namespace npr_render {

class CliHost : public NprHostApplicationServices {
public:
  void Print(const char* format, ...) override __attribute__((format(printf, 2, 3)));
  void OnPreviewSettings(NprRenderSettings& settings) override;
};

}  // namespace npr_render
