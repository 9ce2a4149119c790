// The vector drawing of a scene: what a host calls instead of RenderScene
// when it wants lines that scale, and the files it can write them to.
#pragma once

#include <linvale/export.h>
#include <linvale/npr_vector_drawing.h>
#include <tessel/ts_viewport.h>

#include <string>

class NprRenderer;
class NprRenderSettings;
class Scene;

// Draws `scene` as the shader the settings name would picture it through
// `viewport`, as vector paths on a page of the settings' image size. Loads
// the plug-ins as RenderScene does. False, with `drawing` left alone, when
// no plug-in, shader or depth could be had or the shader has no vector form.
LINVALE_API bool NprRenderVector(NprRenderer& renderer, Scene* scene, const TS_Viewport& viewport,
                                 const NprRenderSettings& settings, const NprVectorOptions& options,
                                 NprVectorDrawing& drawing);

// Writes the drawing as SVG or PDF as the file name's extension says
// (".svg", ".pdf", any case). An empty text on success, else what went wrong.
LINVALE_API std::string NprWriteVectorFile(const NprVectorDrawing& drawing, const std::string& path);

// Whether the file name's extension is one NprWriteVectorFile writes.
LINVALE_API bool NprIsVectorFileName(const std::string& path);
