#include "cartoon_strings.h"

#include <linvale/npr_string_table.h>

namespace linvale::cartoon {

namespace {

constexpr NprStringTable<CartoonString, 10> kStrings = {{
    {CartoonString::BackgroundImageError, "Error Background Image"},
    {CartoonString::ErrorCaption, "Orvelle Error"},
    {CartoonString::CalculatingEdges, "Calculating edges..."},
    {CartoonString::SettingUp, "Setting up NPR Render..."},
    {CartoonString::RenderingBackground, "Rendering background image..."},
    {CartoonString::RenderingFaces, "Rendering faces..."},
    {CartoonString::RenderingSilhouettes, "Rendering Silhouettes edges..."},
    {CartoonString::RenderingBorders, "Rendering Border edges..."},
    {CartoonString::RenderingCreases, "Rendering Discontinuity of Mesh edges..."},
    {CartoonString::Name, "Cartoon"},
}};

}  // namespace

const char* LoadCartoonString(CartoonString id) { return NprLookUpString(kStrings, id); }

}  // namespace linvale::cartoon
