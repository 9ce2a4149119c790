#include <linvale/npr_chooser_title.h>

namespace {

// The user-interface thread is the only one that opens choosers.
const char* gTitle = nullptr;

}  // namespace

NprChooserTitle::NprChooserTitle(const char* title) : mPrevious(gTitle) { gTitle = title; }

NprChooserTitle::~NprChooserTitle() { gTitle = mPrevious; }

const char* NprChooserTitle::Current() { return gTitle; }
