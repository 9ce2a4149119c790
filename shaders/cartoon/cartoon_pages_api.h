// The functions of the Cartoon pages module. The pages are Qt widgets, so
// they live in a library of their own that the plug-in loads only when the
// settings dialog asks for a page: a render never maps Qt.
#pragma once

#include "cartoon_settings.h"

class NprPageDialog;
class NprUiMainDlg;
struct CartoonPages;

// The entry points, and the widgets tests look for by type.
#define CARTOON_PAGES_API __attribute__((visibility("default")))

inline constexpr const char* kCartoonPagesLibrary = "libcartoon-pages.so";
inline constexpr unsigned kCartoonPageCount = 2;

extern "C" {

// Both pages, editing `settings`, which must outlive them. Null when they
// cannot be made.
using CartoonPagesCreateFunction = CartoonPages* (*)(CartoonSettings* settings);
// Page 0 is "Edges", 1 "Shade"; null beyond.
using CartoonPagesGetFunction = NprPageDialog* (*)(CartoonPages* pages, unsigned index);
// Every page reports its changes to `mainDlg` (null: to nobody).
using CartoonPagesSetMainDlgFunction = void (*)(CartoonPages* pages, NprUiMainDlg* mainDlg);
// Null-safe.
using CartoonPagesDeleteFunction = void (*)(CartoonPages* pages);

CARTOON_PAGES_API CartoonPages* CartoonPagesCreate(CartoonSettings* settings);
CARTOON_PAGES_API NprPageDialog* CartoonPagesGet(CartoonPages* pages, unsigned index);
CARTOON_PAGES_API void CartoonPagesSetMainDlg(CartoonPages* pages, NprUiMainDlg* mainDlg);
CARTOON_PAGES_API void CartoonPagesDelete(CartoonPages* pages);

}  // extern "C"
