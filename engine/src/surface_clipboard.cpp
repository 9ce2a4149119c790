// The clipboard belongs to the GUI application's toolkit: the copy goes
// through Qt's clipboard, and only while a Qt GUI application runs.
#include <quorra/surface.h>

#include <linvale/dib_pixels.h>
#include <linvale/npr_win32_owners.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

namespace Npr::Gs {

namespace {

// The picture as 32-bit pixels, top row first; a null image when it cannot
// be read.
QImage ReadPicture(HBITMAP bitmap, Size size) {
  QImage image(size.width, size.height, QImage::Format_RGB32);
  if (image.isNull()) {
    return {};
  }
  BITMAPINFO info = NprDibHeader(size.width, size.height, 32);
  info.bmiHeader.biHeight = -size.height;
  const NprScreenDC screen = NprGetScreenDC();
  if (!screen) {
    return {};
  }
  const int lines =
      GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(size.height), image.bits(), &info, DIB_RGB_COLORS);
  return lines == size.height ? image : QImage();
}

}  // namespace

bool Surface::copyToClipboard() const {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
    return false;
  }
  const Size pictureSize = size();
  if (pictureSize.width <= 0 || pictureSize.height <= 0) {
    return false;
  }
  const QImage picture = ReadPicture(bitmap(), pictureSize);
  if (picture.isNull()) {
    return false;
  }
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (clipboard == nullptr) {
    return false;
  }
  clipboard->setImage(picture);
  return true;
}

}  // namespace Npr::Gs
