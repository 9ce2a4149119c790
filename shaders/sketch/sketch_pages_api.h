// The functions of the Sketch pages module. The pages are Qt widgets, so
// they live in a library of their own that the plug-in loads only when the
// settings dialog asks for a page: a render never maps Qt.
#pragma once

#include "sketch_settings.h"

class NprPageDialog;
class NprUiMainDlg;
struct SketchPages;

#define SKETCH_PAGES_API __attribute__((visibility("default")))

inline constexpr const char* kSketchPagesLibrary = "libsketch-pages.so";
inline constexpr unsigned kSketchPageCount = 4;

extern "C" {

// The four pages, editing `settings`, which must outlive them. Null when
// they cannot be made.
using SketchPagesCreateFunction = SketchPages* (*)(SketchSettings* settings);
// 0 "Edges", 1 "Line Shape", 2 "Line Color", 3 "Fill"; null beyond.
using SketchPagesGetFunction = NprPageDialog* (*)(SketchPages* pages, unsigned index);
// Every page reports its changes to `mainDlg` (null: to nobody).
using SketchPagesSetMainDlgFunction = void (*)(SketchPages* pages, NprUiMainDlg* mainDlg);
// Null-safe.
using SketchPagesDeleteFunction = void (*)(SketchPages* pages);

SKETCH_PAGES_API SketchPages* SketchPagesCreate(SketchSettings* settings);
SKETCH_PAGES_API NprPageDialog* SketchPagesGet(SketchPages* pages, unsigned index);
SKETCH_PAGES_API void SketchPagesSetMainDlg(SketchPages* pages, NprUiMainDlg* mainDlg);
SKETCH_PAGES_API void SketchPagesDelete(SketchPages* pages);

}  // extern "C"
