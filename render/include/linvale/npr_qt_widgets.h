// Whether the process runs Qt Widgets already. Widgets need a running Qt
// application, which cannot exist unless Qt Widgets is mapped; the renderer
// and the plug-ins ask before they load anything of their user interface,
// so a headless process is never made to map it.
#pragma once

#include <linvale/export.h>

LINVALE_API bool NprQtWidgetsLoaded();
