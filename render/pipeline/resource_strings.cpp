#include "resource_strings.h"

#include <linvale/npr_string_table.h>

namespace linvale {

namespace {

constexpr NprStringTable<ResourceString, 15> table{{
    {ResourceString::UnableToSelectShader, "Unable to select the shader."},
    {ResourceString::AntialiasingFilter, "Antialiasing Filter"},
    {ResourceString::AllFiles, "All files (*.*)"},
    {ResourceString::GifFiles, ".GIF (Graphics Interchange Format)"},
    {ResourceString::LifFiles, ".LIF (Homeworld Image Files)"},
    {ResourceString::AllImageFiles, "Image Files (all supported)"},
    {ResourceString::JpegFiles, ".JPG, .JPE, .JPEG (Jpeg Files)"},
    {ResourceString::BmpFiles, ".BMP (Microsoft bitmap Files)"},
    {ResourceString::DdsFiles, ".DDS (Microsoft DirectDraw Surface)"},
    {ResourceString::AnyMapFiles, ".PBM, .PGM, .PNM, .PPM (Portable AnyMap)"},
    {ResourceString::PngFiles, ".PNG (Portable Network Graphics)"},
    {ResourceString::SgiFiles, ".SGI (Sgi Files)"},
    {ResourceString::TargaFiles, ".TGA (Targa Files)"},
    {ResourceString::TiffFiles, ".TIF (Tiff Files)"},
    {ResourceString::PcxFiles, ".PCX (ZSoft Pcx Files)"},
}};

}  // namespace

const char* LoadResourceString(ResourceString id) { return NprLookUpString(table, id); }

}  // namespace linvale
