// npr-render --settings: the settings dialog on the default style, whose
// OK is what later renders without --style use.
#pragma once

#include <string>

#include <linvale/npr_host_application_services.h>
#include <linvale/npr_renderer.h>

namespace npr_render {

// Exit status: 0 for OK, 1 for Cancel, 2 when no dialog could be shown, 5
// without plug-ins.
int RunSettingsDialog(const NprHostApplicationServices& host, NprRenderer& renderer, const std::string& defaultStyle);

}  // namespace npr_render
