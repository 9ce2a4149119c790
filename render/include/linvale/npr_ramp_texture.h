// The 1-D colour ramp that shades faces in bands: a light value looks up
// its band's colour in a small texture.
#pragma once

#include <linvale/export.h>
#include <linvale/npr_gl_texture.h>

// Uploads `entries` packed RGB float colours as a 1-D texture sampled to the
// nearest entry, binds it and enables 1-D texturing; the caller binds 0 and
// disables again when done. The ends are clamped: a light value of exactly
// 1 (a face looking straight at the light) would otherwise wrap round to the
// shadow entry with the default repeat mode.
LINVALE_API NprGlTexture NprBindRampTexture(const float* rgb, int entries);
