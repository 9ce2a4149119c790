// The C functions every shader's pages module exports. The plug-in looks
// them up by these fixed names in the module it loaded, so one page set
// serves every shader; the pages edit the shader's own settings record,
// which reaches the module untyped because only the module knows its type.
#pragma once

class NprPageDialog;
class NprUiMainDlg;
struct NprPages;

#define NPR_PAGES_API __attribute__((visibility("default")))

extern "C" {

// The module's pages, editing `settings`, which must outlive them. Null
// when no widget application runs or the pages cannot be made.
using NprPagesCreateFunction = NprPages* (*)(void* settings);
// Page `index` in the module's order; null beyond the last.
using NprPagesGetFunction = NprPageDialog* (*)(NprPages* pages, unsigned index);
// Every page reports its changes to `mainDlg` (null: to nobody).
using NprPagesSetMainDlgFunction = void (*)(NprPages* pages, NprUiMainDlg* mainDlg);
// Null-safe; leaves the pages alone once the application object is gone.
using NprPagesDeleteFunction = void (*)(NprPages* pages);

NPR_PAGES_API NprPages* NprPagesCreate(void* settings);
NPR_PAGES_API NprPageDialog* NprPagesGet(NprPages* pages, unsigned index);
NPR_PAGES_API void NprPagesSetMainDlg(NprPages* pages, NprUiMainDlg* mainDlg);
NPR_PAGES_API void NprPagesDelete(NprPages* pages);

}  // extern "C"
