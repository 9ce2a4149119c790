// TestGL's pages module, the worked example of a shader's property pages:
// one page, "Fill", that shows the fill colour of the style in use.
#include <linvale/npr_pages_module.h>

#include <windows.h>

#include <QLabel>
#include <QVBoxLayout>

namespace {

class FillPage final : public NprPageDialog {
public:
  explicit FillPage(const COLORREF& fillColor) : mFillColor(fillColor) {
    setWindowTitle("Fill");
    mColorText->setObjectName("fillColor");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(mColorText);
  }

protected:
  // The shader reloads its settings whenever the dialog picks another
  // style: the page shows the colour as it is when the page comes up.
  void showEvent(QShowEvent* event) override {
    mColorText->setText(
        QString::asprintf("#%02X%02X%02X", GetRValue(mFillColor), GetGValue(mFillColor), GetBValue(mFillColor)));
    NprPageDialog::showEvent(event);
  }

private:
  const COLORREF& mFillColor;
  QLabel* mColorText = new QLabel(this);
};

}  // namespace

NprPageList NprMakePages(void* settings) { return NprMakePageList<FillPage>(*static_cast<COLORREF*>(settings)); }
