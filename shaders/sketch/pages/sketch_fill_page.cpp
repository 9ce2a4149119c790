#include "sketch_fill_page.h"

#include "sketch_strings.h"

#include <linvale/npr_chooser_title.h>
#include <linvale/npr_host_application_services.h>
#include <linvale/npr_image_probe.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <array>
#include <cstring>

namespace linvale::sketch {

SketchFillPage::SketchFillPage(SketchSettings& settings) : SketchPage(settings, "Fill", "sketchFillPage") {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(BuildFill());
  layout->addWidget(BuildPaper());
  layout->addStretch();
  ShowSettings();
}

QWidget* SketchFillPage::BuildFill() {
  auto* group = new QWidget(this);
  auto* column = new QVBoxLayout(group);
  column->setContentsMargins(0, 0, 0, 0);
  column->addWidget(AddSwitch(&SketchSettings::textureFill, "Texture/Color Fill", "textureFill", group));
  QRadioButton* material = AddChoice(&SketchSettings::textureMode, 0, "Material color", "textureMode0", group);
  QRadioButton* pencil = AddChoice(&SketchSettings::textureMode, 1, "Pencil", "textureMode1", group);
  QRadioButton* water = AddChoice(&SketchSettings::textureMode, 2, "WaterColor", "textureMode2", group);
  for (QRadioButton* mode : {material, pencil, water}) {
    column->addWidget(mode);
  }
  EnableWith(&SketchEnables::fillModes, {material, pencil, water});
  return group;
}

QWidget* SketchFillPage::BuildPaper() {
  auto* group = new QGroupBox("Paper Texture", this);
  auto* row = new QHBoxLayout(group);
  mPaper = new QLineEdit(group);
  mPaper->setObjectName("paper");
  mPaper->setReadOnly(true);
  auto* choose = new QPushButton("...", group);
  choose->setObjectName("paperButton");
  choose->setFixedWidth(32);
  row->addWidget(mPaper);
  row->addWidget(choose);
  connect(choose, &QPushButton::clicked, this, &SketchFillPage::ChoosePaper);
  return group;
}

void SketchFillPage::ShowMore(const SketchEnables&) { mPaper->setText(QString::fromUtf8(mSettings.paper)); }

void SketchFillPage::ChoosePaper() {
  // Room for any path the chooser gives; only what fits the record and
  // loads becomes the paper.
  std::array<char, 2048> file{};
  const NprChooserTitle title(LoadSketchString(SketchString::PaperChooserTitle));
  NprHostApplicationServices* host = NprHostApplicationServices::getDefaultHost();
  const bool chosen = host != nullptr && host->GetBitmapFilename(nullptr, file.data(), file.size(), 1) != 0;
  const bool usable = chosen && std::strlen(file.data()) < sizeof mSettings.paper && NprImageFileLoads(file.data());
  mSettings.b_paper = usable ? 1 : 0;
  std::strcpy(mSettings.paper, usable ? file.data() : "");
  // Told in every case, also when the paper stays as it was.
  Changed();
}

}  // namespace linvale::sketch
