#include "shade_preview.h"

#include "cartoon_strings.h"

#include <linvale/npr_ramp_texture.h>
#include <linvale/npr_shader_support.h>

#include <QPainter>

#include <GL/gl.h>

namespace linvale::cartoon {

namespace {

constexpr unsigned char kPreviewDepthBits = 8;

// Owns one 1-D texture for the time it is bound.
class RampTexture {
public:
  explicit RampTexture(const std::array<float, kPreviewRampSize>& tones) {
    std::array<float, kPreviewRampSize * 3> rgb{};
    for (std::size_t entry = 0; entry < tones.size(); ++entry) {
      rgb[entry * 3] = rgb[entry * 3 + 1] = rgb[entry * 3 + 2] = tones[entry];
    }
    mTexture = NprBindRampTexture(rgb.data(), kPreviewRampSize);
  }
  ~RampTexture() { glBindTexture(GL_TEXTURE_1D, 0); }
  RampTexture(const RampTexture&) = delete;
  RampTexture& operator=(const RampTexture&) = delete;

private:
  NprGlTexture mTexture;
};

}  // namespace

ShadePreview::ShadePreview(const CartoonSettings& settings, QWidget* parent) : QWidget(parent), mSettings(settings) {
  setObjectName("shadePreview");
  // Square, so the hemisphere is round under the square projection.
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void ShadePreview::resizeEvent(QResizeEvent* event) {
  // A new size needs a new bitmap: the old context goes first.
  mContext.reset();
  mPicture = QImage();
  QWidget::resizeEvent(event);
  Redraw();
}

bool ShadePreview::MakeContext() {
  if (mContext) {
    return true;
  }
  auto context = std::make_unique<NprGlBitmapContext>();
  if (!context->CreateBitmapContext(SIZE{width(), height()}, 0, kPreviewDepthBits, nullptr, nullptr)) {
    // Once per preview: a dialog resized with the mouse would otherwise
    // raise one box per step.
    if (!mErrorShown) {
      mErrorShown = true;
      NprShowLastErrorBox(LoadCartoonString(CartoonString::ErrorCaption));
    }
    return false;
  }
  if (!context->CreateGlContext()) {
    return false;
  }
  mContext = std::move(context);
  return true;
}

void ShadePreview::Redraw() {
  if (width() > 0 && height() > 0 && MakeContext() && mContext->MakeCurrent()) {
    Draw();
    wglMakeCurrent(nullptr, nullptr);
  }
  update();
}

void ShadePreview::Draw() {
  const RampTexture ramp(PreviewRamp(mSettings));
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glHint(GL_POLYGON_SMOOTH_HINT, GL_NICEST);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glDisable(GL_CULL_FACE);
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glViewport(0, 0, width(), height());
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-10, 10, -10, 10, 1, 10);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  // Looking from (0, 0, 1) at the origin with y up.
  glTranslated(0.0, 0.0, -1.0);

  glBegin(GL_TRIANGLES);
  for (const PreviewVector& point : mHemisphere) {
    glTexCoord1d(PreviewRampCoordinate(point));
    glVertex3d(point.x, point.y, point.z);
  }
  glEnd();
  glFinish();

  // GL rows run bottom-up; BGRA bytes are what a 32-bit QImage holds.
  QImage picture(width(), height(), QImage::Format_RGB32);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glReadPixels(0, 0, width(), height(), GL_BGRA, GL_UNSIGNED_BYTE, picture.bits());
  mPicture = picture.mirrored();
}

void ShadePreview::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (!mPicture.isNull()) {
    painter.drawImage(0, 0, mPicture);
  }
}

}  // namespace linvale::cartoon
