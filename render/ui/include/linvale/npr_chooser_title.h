// The title of the image file chooser while an object of this class lives.
// A page that asks the host for an image (`GetBitmapFilename`) says what the
// image is for, which the host's interface has no parameter for; hosts with
// a chooser of their own are free to ignore it.
#pragma once

#include <linvale/export.h>

class LINVALE_API NprChooserTitle {
public:
  explicit NprChooserTitle(const char* title);
  ~NprChooserTitle();
  NprChooserTitle(const NprChooserTitle&) = delete;
  NprChooserTitle& operator=(const NprChooserTitle&) = delete;

  // The innermost living title; null when there is none.
  static const char* Current();

private:
  const char* mPrevious;
};
