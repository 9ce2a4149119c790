// The settings dialog driven offscreen: styles and icons, shader selection,
// the coalesced preview, saving, removing, OK and Cancel.
#include <linvale/npr_color_control.h>
#include <linvale/npr_page_dialog.h>
#include <linvale/npr_renderer.h>
#include <linvale/npr_shader.h>
#include <linvale/npr_win32_owners.h>

#include <win32/message_box.h>
#include <win32/registry.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "bitmap_image.h"
#include "settings_dialog.h"
#include "support/temporary_home.h"
#include "test_host.h"

namespace fs = std::filesystem;
using linvale::ui::DialogPrompts;
using linvale::ui::SettingsDialog;

namespace {

void WriteText(const std::string& path, const std::string& text) { std::ofstream(path) << text; }

std::string ReadText(const std::string& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

std::string StyleText(const char* shader, const char* style = "", const char* extra = "") {
  return std::string("[Common]\nCurrent Render=") + shader + "\nStyle=" + style + "\n" + extra;
}

std::string ShowPreviewKey() {
  char key[MAX_PATH];
  NprHostApplicationServices::getDefaultHost()->getPluginRegistryKey(key);
  return key;
}

// Makes the per-build key so that the preview switch can be stored.
void SetShowPreview(bool on) {
  HKEY key = nullptr;
  QCOMPARE(RegCreateKeyExA(HKEY_CURRENT_USER, ShowPreviewKey().c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                           nullptr),
           ERROR_SUCCESS);
  RegCloseKey(key);
  NprHostApplicationServices::getDefaultHost()->setShowPreview(on);
}

// Boxes the shaders raised; a box would otherwise wait for a click that
// never comes.
int gMessageBoxes = 0;

int CountMessageBox(HWND, LPCSTR, LPCSTR, UINT) {
  ++gMessageBoxes;
  return IDOK;
}

}  // namespace

class SettingsDialogTest : public QObject {
  Q_OBJECT

private slots:
  void init();
  void cleanup();

  void listsStylesOfUserAndCommonFoldersWithTheirIcons();
  void openingSelectsTheStylesShaderWithoutClearingTheStyle();
  void userShaderSelectionClearsTheStyleAndSwitchesShader();
  void styleBoxChoiceLoadsThatStyle();
  void previewShowsTheSamplePartInTheMiddle();
  void threeChangesWithinTheDelayGiveOnePreview();
  void previewOffShowsTheStockPictureAndOkStoresFalse();
  void cancellingTheImageChooserEmptiesTheBackground();
  void swatchClickStoresTheChosenColour();
  void saveAsOverAUserStyleKeepsOneItem();
  void saveAsOverACommonStyleAddsAUserItem();
  void saveAsDeclinedChangesNothing();
  void okSavesCommonAndShaderSectionsAndTellsTheHost();
  void cancelSavesNothing();
  void failedSaveStillClosesWithOkAndTellsNobody();
  void removeTrashesTheFileAndKeepsAnItemItCannotTrash();
  void facadeModeAppliesTheRenderPageAtOk();
  void aPluginsPagesModuleBringsItsPageIntoTheTabs();

private:
  std::unique_ptr<SettingsDialog> OpenDialog(int mode = 0);
  QTreeWidgetItem* ShaderItem(SettingsDialog& dialog, const QString& name);
  template <typename Widget>
  Widget* Find(QWidget& dialog, const char* name) {
    auto* widget = dialog.findChild<Widget*>(name);
    if (widget == nullptr) {
      qFatal("no widget %s", name);
    }
    return widget;
  }

  std::unique_ptr<linvale::test::TemporaryFolder> mRoot;
  std::unique_ptr<linvale::test::DialogTestHost> mHost;
  std::unique_ptr<NprRenderer> mRenderer;
  DialogPrompts mPrompts;
  QString mNameToGive;
  int mOverwriteQuestions = 0;
  bool mAllowOverwrite = true;
  int mRemoveQuestions = 0;
  NprHostApplicationServices* mPreviousHost = nullptr;
  MessageBoxHandler mPreviousBoxes = nullptr;
};

void SettingsDialogTest::init() {
  mRoot = std::make_unique<linvale::test::TemporaryFolder>();
  mHost = std::make_unique<linvale::test::DialogTestHost>(mRoot->Path().string());
  mPreviousHost = NprHostApplicationServices::setDefaultHost(mHost.get());
  gMessageBoxes = 0;
  mPreviousBoxes = SetMessageBoxHandler(&CountMessageBox);
  for (const auto kind : {NprHostApplicationServices::UserStylesFolder, NprHostApplicationServices::CommonDataFolder,
                          NprHostApplicationServices::UserDataFolder}) {
    fs::create_directories(mHost->FolderPath(kind));
  }
  WriteText(mHost->FolderPath(NprHostApplicationServices::UserStylesFolder) + "/pine.npr", StyleText("Sketch", "pine"));
  WriteText(mHost->FolderPath(NprHostApplicationServices::UserStylesFolder) + "/oak.npr", StyleText("Sketch", "oak"));
  WriteText(mHost->FolderPath(NprHostApplicationServices::CommonDataFolder) + "/elm.npr", StyleText("Cartoon", "elm"));
  // The default style, which is not listed.
  WriteText(mHost->FolderPath(NprHostApplicationServices::UserDataFolder) + "/Custom.npr",
            StyleText("Sketch", "oak", "AmbientLightR=1\nAmbientLightG=2\nAmbientLightB=3\n"));
  // The shipped preview model, where this host's common styles are.
  fs::copy_file(SHIPPED_PREVIEW_MODEL,
                mHost->FolderPath(NprHostApplicationServices::CommonDataFolder) + "/OrvellePreviewModel.glb");
  SetShowPreview(true);

  mRenderer = std::make_unique<NprRenderer>();
  // With a default viewport the shaders draw real previews.
  TS_Viewport viewport;
  viewport.SetProjection(TS::perspective_view);
  mRenderer->setDefaultViewport(viewport);
  QVERIFY(mRenderer->OnLoad() >= 2);

  mNameToGive.clear();
  mOverwriteQuestions = 0;
  mAllowOverwrite = true;
  mRemoveQuestions = 0;
  mPrompts.styleName = [this](QWidget*) -> std::optional<QString> {
    if (mNameToGive.isEmpty()) {
      return std::nullopt;
    }
    return mNameToGive;
  };
  mPrompts.confirmOverwrite = [this](QWidget*, const QString&) {
    ++mOverwriteQuestions;
    return mAllowOverwrite;
  };
  mPrompts.confirmRemove = [this](QWidget*, const QString&) {
    ++mRemoveQuestions;
    return true;
  };
}

void SettingsDialogTest::cleanup() {
  SetMessageBoxHandler(mPreviousBoxes);
  mRenderer.reset();
  NprHostApplicationServices::setDefaultHost(mPreviousHost);
  mHost.reset();
  mRoot.reset();
  QCOMPARE(gMessageBoxes, 0);
}

std::unique_ptr<SettingsDialog> SettingsDialogTest::OpenDialog(int mode) {
  auto dialog = std::make_unique<SettingsDialog>(mRenderer.get(), nullptr, mode, mPrompts);
  dialog->show();
  if (!QTest::qWaitForWindowExposed(dialog.get())) {
    qWarning("dialog not exposed");
  }
  return dialog;
}

QTreeWidgetItem* SettingsDialogTest::ShaderItem(SettingsDialog& dialog, const QString& name) {
  const auto found = Find<QTreeWidget>(dialog, "shaderTree")->findItems(name, Qt::MatchExactly);
  return found.isEmpty() ? nullptr : found.front();
}

void SettingsDialogTest::listsStylesOfUserAndCommonFoldersWithTheirIcons() {
  const auto dialog = OpenDialog();
  auto* box = Find<QComboBox>(*dialog, "styleBox");
  QCOMPARE(box->count(), 3);
  QCOMPARE(box->itemText(0), QString("oak"));
  QCOMPARE(box->itemText(1), QString("pine"));
  QCOMPARE(box->itemText(2), QString("elm"));
  QCOMPARE(box->itemData(0).toInt(), 1);
  QCOMPARE(box->itemData(1).toInt(), 1);
  QCOMPARE(box->itemData(2).toInt(), 2);
  QCOMPARE(dialog->StylePaths().size(), std::size_t{3});
  QCOMPARE(dialog->StylePaths()[2], mHost->FolderPath(NprHostApplicationServices::CommonDataFolder) + "/elm.npr");
  // One picture per folder kind: the user's and the common styles differ.
  const QImage user = box->itemIcon(0).pixmap(16, 16).toImage();
  const QImage common = box->itemIcon(2).pixmap(16, 16).toImage();
  QVERIFY(!user.isNull());
  QCOMPARE(box->itemIcon(1).pixmap(16, 16).toImage(), user);
  QVERIFY(user != common);
}

void SettingsDialogTest::openingSelectsTheStylesShaderWithoutClearingTheStyle() {
  const auto dialog = OpenDialog();
  auto* tree = Find<QTreeWidget>(*dialog, "shaderTree");
  QVERIFY(tree->currentItem() != nullptr);
  QCOMPARE(tree->currentItem()->text(0), QString("Sketch"));
  QCOMPARE(Find<QComboBox>(*dialog, "styleBox")->currentText(), QString("oak"));
  QCOMPARE(QString(dialog->WorkingSettings().GetStyle()), QString("oak"));
  auto* tabs = Find<QTabWidget>(*dialog, "pageTabs");
  // The common page, then the shader's own pages in their order.
  QCOMPARE(tabs->count(), 5);
  const QStringList titles{"Common", "Edges", "Line Shape", "Line Color", "Fill"};
  for (int tab = 0; tab < titles.size(); ++tab) {
    QCOMPARE(tabs->tabText(tab), titles[tab]);
  }
  QVERIFY(dialog->findChild<QWidget*>("commonHostPage") != nullptr);
  QCOMPARE(mHost->loadSettingsCalls, 1);
  // Opening draws the preview at once, not after the delay.
  QCOMPARE(mHost->previewRenders, 1);
}

void SettingsDialogTest::userShaderSelectionClearsTheStyleAndSwitchesShader() {
  const auto dialog = OpenDialog();
  auto* tree = Find<QTreeWidget>(*dialog, "shaderTree");
  QTreeWidgetItem* cartoon = ShaderItem(*dialog, "Cartoon");
  QVERIFY(cartoon != nullptr);
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(cartoon).center());
  QCOMPARE(tree->currentItem(), cartoon);
  QCOMPARE(Find<QComboBox>(*dialog, "styleBox")->currentIndex(), -1);
  const NprRenderSettings settings = dialog->WorkingSettings();
  QCOMPARE(QString(settings.GetStyle()), QString());
  QCOMPARE(QString(settings.GetShaderTag()), QString("Cartoon"));
  QCOMPARE(QString(settings.GetShaderName()), QString("Cartoon"));
}

void SettingsDialogTest::styleBoxChoiceLoadsThatStyle() {
  const auto dialog = OpenDialog();
  auto* box = Find<QComboBox>(*dialog, "styleBox");
  box->setCurrentIndex(2);
  emit box->activated(2);
  QCOMPARE(Find<QTreeWidget>(*dialog, "shaderTree")->currentItem()->text(0), QString("Cartoon"));
  QCOMPARE(box->currentIndex(), 2);
  QCOMPARE(QString(dialog->WorkingSettings().GetStyle()), QString("elm"));
  // Loading never moves the file OK writes to.
  QCOMPARE(std::string(dialog->WorkingSettings().GetConfigFileName()),
           mHost->FolderPath(NprHostApplicationServices::UserDataFolder) + "/Custom.npr");
}

void SettingsDialogTest::previewShowsTheSamplePartInTheMiddle() {
  WriteText(mHost->FolderPath(NprHostApplicationServices::UserDataFolder) + "/Custom.npr",
            StyleText("Sketch", "", "BackgroundR=255\nBackgroundG=255\nBackgroundB=255\n"));
  const auto dialog = OpenDialog();
  const QImage shown = Find<QLabel>(*dialog, "previewImage")->pixmap().toImage();
  QCOMPARE(shown.size(), QSize(160, 160));
  // Pencil strokes on white paper (the default strokes are light): enough
  // drawn pixels, and the part seen whole, clear of the picture's border.
  int dark = 0;
  int onBorder = 0;
  for (int y = 0; y < shown.height(); ++y) {
    for (int x = 0; x < shown.width(); ++x) {
      if (qGray(shown.pixel(x, y)) < 220) {
        ++dark;
        onBorder += x < 4 || y < 4 || x >= shown.width() - 4 || y >= shown.height() - 4;
      }
    }
  }
  QVERIFY2(dark > 300, qPrintable(QString::number(dark)));
  QCOMPARE(onBorder, 0);
}

void SettingsDialogTest::threeChangesWithinTheDelayGiveOnePreview() {
  const auto dialog = OpenDialog();
  const int before = mHost->previewRenders;
  for (int change = 0; change < 3; ++change) {
    dialog->ParametersChanged();
    QTest::qWait(120);
  }
  // Less than the delay after the last change: nothing yet.
  QTest::qWait(200);
  QCOMPARE(mHost->previewRenders, before);
  QTRY_COMPARE_WITH_TIMEOUT(mHost->previewRenders, before + 1, 2000);
  QTest::qWait(600);
  QCOMPARE(mHost->previewRenders, before + 1);
}

void SettingsDialogTest::previewOffShowsTheStockPictureAndOkStoresFalse() {
  const auto dialog = OpenDialog();
  auto* check = Find<QCheckBox>(*dialog, "showPreview");
  QVERIFY(check->isChecked());
  const int before = mHost->previewRenders;
  QTest::mouseClick(check, Qt::LeftButton);
  QVERIFY(!check->isChecked());
  QTest::qWait(SettingsDialog::kPreviewDelayMs + 300);
  QCOMPARE(mHost->previewRenders, before);
  NprShader* sketch = NprShader::GetByTag("Sketch");
  QVERIFY(sketch != nullptr);
  const NprUniqueGdiObject<HBITMAP> stock(sketch->GetDefaultBitmap());
  const QImage shown = Find<QLabel>(*dialog, "previewImage")->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
  QCOMPARE(shown, linvale::ui::ImageFromBitmap(stock.get()));
  QTest::mouseClick(Find<QPushButton>(*dialog, "okButton"), Qt::LeftButton);
  QCOMPARE(dialog->result(), int(QDialog::Accepted));
  QVERIFY(!mHost->getShowPreview());
}

void SettingsDialogTest::cancellingTheImageChooserEmptiesTheBackground() {
  WriteText(mHost->FolderPath(NprHostApplicationServices::UserDataFolder) + "/Custom.npr",
            StyleText("Sketch", "oak", "WallPaper=/pictures/paper.png\nOverwriteTarvikSettings=0\n"));
  // The pictures named do not exist, which a drawn preview would report.
  SetShowPreview(false);
  const auto dialog = OpenDialog();
  auto* edit = Find<QLineEdit>(*dialog, "backgroundFileEdit");
  QCOMPARE(edit->text(), QString("/pictures/paper.png"));
  QVERIFY(edit->isEnabled());
  mHost->chosenFile.reset();
  QTest::mouseClick(Find<QPushButton>(*dialog, "backgroundFileButton"), Qt::LeftButton);
  QCOMPARE(mHost->fileChooserCalls, 1);
  QCOMPARE(edit->text(), QString());
  QCOMPARE(QString(dialog->WorkingSettings().GetBackgroundFileName()), QString());
  QCOMPARE(Find<QComboBox>(*dialog, "styleBox")->currentIndex(), -1);

  mHost->chosenFile = "/pictures/laid.png";
  QTest::mouseClick(Find<QPushButton>(*dialog, "backgroundFileButton"), Qt::LeftButton);
  QCOMPARE(QString(dialog->WorkingSettings().GetBackgroundFileName()), QString("/pictures/laid.png"));
}

void SettingsDialogTest::swatchClickStoresTheChosenColour() {
  WriteText(mHost->FolderPath(NprHostApplicationServices::UserDataFolder) + "/Custom.npr",
            StyleText("Sketch", "oak", "OverwriteTarvikSettings=0\nBackgroundR=9\nBackgroundG=8\nBackgroundB=7\n"));
  const auto dialog = OpenDialog();
  auto* swatch = Find<NprColorControl>(*dialog, "backgroundSwatch");
  QCOMPARE(swatch->mColor, RGB(9, 8, 7));
  mHost->chosenColor = RGB(200, 100, 50);
  QTest::mouseClick(swatch, Qt::LeftButton);
  QCOMPARE(mHost->offeredColor, RGB(9, 8, 7));
  QCOMPARE(dialog->WorkingSettings().GetBackgroundColor(), RGB(200, 100, 50));
  QCOMPARE(Find<QComboBox>(*dialog, "styleBox")->currentIndex(), -1);
}

void SettingsDialogTest::saveAsOverAUserStyleKeepsOneItem() {
  const auto dialog = OpenDialog();
  mNameToGive = "oak";
  QTest::mouseClick(Find<QPushButton>(*dialog, "saveAsButton"), Qt::LeftButton);
  QCOMPARE(mOverwriteQuestions, 1);
  auto* box = Find<QComboBox>(*dialog, "styleBox");
  QCOMPARE(box->count(), 3);
  QCOMPARE(box->currentText(), QString("oak"));
  QCOMPARE(box->currentIndex(), 0);
  const std::string oak = mHost->FolderPath(NprHostApplicationServices::UserStylesFolder) + "/oak.npr";
  // The copy is of the default style as just saved, its ambient light included.
  QVERIFY(ReadText(oak).find("AmbientLightR=1") != std::string::npos);
  QVERIFY(ReadText(oak).find("[Sketch]") != std::string::npos);
  QCOMPARE(QString(dialog->WorkingSettings().GetStyle()), QString("oak"));
}

void SettingsDialogTest::saveAsOverACommonStyleAddsAUserItem() {
  const auto dialog = OpenDialog();
  mNameToGive = "elm";
  QTest::mouseClick(Find<QPushButton>(*dialog, "saveAsButton"), Qt::LeftButton);
  QCOMPARE(mOverwriteQuestions, 0);
  auto* box = Find<QComboBox>(*dialog, "styleBox");
  QCOMPARE(box->count(), 4);
  QCOMPARE(box->itemText(0), QString("elm"));
  QCOMPARE(box->itemData(0).toInt(), 1);
  QCOMPARE(box->itemData(3).toInt(), 2);
  QCOMPARE(box->currentIndex(), 0);
  const std::string userElm = mHost->FolderPath(NprHostApplicationServices::UserStylesFolder) + "/elm.npr";
  QCOMPARE(dialog->StylePaths()[0], userElm);
  QVERIFY(fs::exists(userElm));
}

void SettingsDialogTest::saveAsDeclinedChangesNothing() {
  const auto dialog = OpenDialog();
  const std::string pine = mHost->FolderPath(NprHostApplicationServices::UserStylesFolder) + "/pine.npr";
  const std::string before = ReadText(pine);
  mNameToGive = "pine";
  mAllowOverwrite = false;
  QTest::mouseClick(Find<QPushButton>(*dialog, "saveAsButton"), Qt::LeftButton);
  QCOMPARE(mOverwriteQuestions, 1);
  QCOMPARE(ReadText(pine), before);
  QCOMPARE(Find<QComboBox>(*dialog, "styleBox")->currentText(), QString("oak"));
  // Cancelling the name prompt asks nothing further.
  mNameToGive.clear();
  QTest::mouseClick(Find<QPushButton>(*dialog, "saveAsButton"), Qt::LeftButton);
  QCOMPARE(mOverwriteQuestions, 1);
}

void SettingsDialogTest::okSavesCommonAndShaderSectionsAndTellsTheHost() {
  const std::string custom = mHost->FolderPath(NprHostApplicationServices::UserDataFolder) + "/Custom.npr";
  WriteText(custom, StyleText("Cartoon", "", "OverwriteTarvikSettings=0\n"));
  const auto dialog = OpenDialog();
  mHost->chosenColor = RGB(10, 20, 30);
  QTest::mouseClick(Find<NprColorControl>(*dialog, "ambientLightSwatch"), Qt::LeftButton);
  QTest::mouseClick(Find<QPushButton>(*dialog, "okButton"), Qt::LeftButton);
  QCOMPARE(dialog->result(), int(QDialog::Accepted));
  const std::string saved = ReadText(custom);
  QVERIFY(saved.find("AmbientLightR=10") != std::string::npos);
  QVERIFY(saved.find("AmbientLightB=30") != std::string::npos);
  QVERIFY(saved.find("[Cartoon]") != std::string::npos);
  QCOMPARE(mHost->saveSettingsCalls, 1);
  QCOMPARE(mHost->savedSettings->GetAmbientLightColor(), RGB(10, 20, 30));
  QVERIFY(mHost->getShowPreview());
}

void SettingsDialogTest::cancelSavesNothing() {
  const std::string custom = mHost->FolderPath(NprHostApplicationServices::UserDataFolder) + "/Custom.npr";
  const std::string before = ReadText(custom);
  const auto dialog = OpenDialog();
  mHost->chosenColor = RGB(10, 20, 30);
  QTest::mouseClick(Find<QPushButton>(*dialog, "cancelButton"), Qt::LeftButton);
  QCOMPARE(dialog->result(), int(QDialog::Rejected));
  QCOMPARE(ReadText(custom), before);
  QCOMPARE(mHost->saveSettingsCalls, 0);
}

void SettingsDialogTest::failedSaveStillClosesWithOkAndTellsNobody() {
  const auto dialog = OpenDialog();
  SetShowPreview(true);
  Find<QCheckBox>(*dialog, "showPreview")->click();
  // The default style's folder goes away: saving cannot succeed.
  fs::remove_all(mHost->FolderPath(NprHostApplicationServices::UserDataFolder));
  QTest::mouseClick(Find<QPushButton>(*dialog, "okButton"), Qt::LeftButton);
  QCOMPARE(dialog->result(), int(QDialog::Accepted));
  QVERIFY(dialog->isHidden());
  QCOMPARE(mHost->saveSettingsCalls, 0);
  QVERIFY(mHost->getShowPreview());
}

void SettingsDialogTest::removeTrashesTheFileAndKeepsAnItemItCannotTrash() {
  const auto dialog = OpenDialog();
  auto* box = Find<QComboBox>(*dialog, "styleBox");
  const std::string pine = mHost->FolderPath(NprHostApplicationServices::UserStylesFolder) + "/pine.npr";
  box->setCurrentIndex(1);
  QTest::mouseClick(Find<QPushButton>(*dialog, "removeButton"), Qt::LeftButton);
  QCOMPARE(mRemoveQuestions, 1);
  QVERIFY(!fs::exists(pine));
  QCOMPARE(box->count(), 2);
  QCOMPARE(box->itemText(1), QString("elm"));
  QCOMPARE(dialog->StylePaths().size(), std::size_t{2});
  QCOMPARE(QString(dialog->WorkingSettings().GetStyle()), QString());

  // A file that is gone already cannot be trashed: its item stays.
  fs::remove(mHost->FolderPath(NprHostApplicationServices::CommonDataFolder) + "/elm.npr");
  box->setCurrentIndex(1);
  QTest::mouseClick(Find<QPushButton>(*dialog, "removeButton"), Qt::LeftButton);
  QCOMPARE(box->count(), 2);
  QCOMPARE(box->itemText(1), QString("elm"));
}

void SettingsDialogTest::facadeModeAppliesTheRenderPageAtOk() {
  const auto dialog = OpenDialog(1);
  QVERIFY(dialog->findChild<QWidget*>("commonRenderPage") != nullptr);
  QVERIFY(dialog->findChild<QWidget*>("commonHostPage") == nullptr);
  auto* custom = Find<QCheckBox>(*dialog, "customResolution");
  auto* width = Find<QLineEdit>(*dialog, "imageWidth");
  if (!custom->isChecked()) {
    QTest::mouseClick(custom, Qt::LeftButton);
  }
  QVERIFY(width->isEnabled());
  width->setText("800");
  Find<QLineEdit>(*dialog, "imageHeight")->setText("600");
  Find<QRadioButton>(*dialog, "antialiasNone")->click();
  QVERIFY(Find<QRadioButton>(*dialog, "antialiasNone")->isChecked());
  // Nothing reaches the working settings before OK.
  QVERIFY(dialog->WorkingSettings().GetImageSize().cx != 800);
  QTest::mouseClick(Find<QPushButton>(*dialog, "okButton"), Qt::LeftButton);
  QCOMPARE(mHost->saveSettingsCalls, 1);
  QCOMPARE(mHost->savedSettings->GetImageSize().cx, 800L);
  QCOMPARE(mHost->savedSettings->GetImageSize().cy, 600L);
  QCOMPARE(mHost->savedSettings->GetUseViewportSize(), 0);
  QCOMPARE(mHost->savedSettings->GetAntialiasStyle(), NprRenderSettings::AntialiasNone);
}

// TestGL's one page comes from its pages module through Linvale's page set
// and pages entry, the way every plug-in's pages do.
void SettingsDialogTest::aPluginsPagesModuleBringsItsPageIntoTheTabs() {
  WriteText(mHost->FolderPath(NprHostApplicationServices::UserDataFolder) + "/Custom.npr",
            StyleText("TestGL", "", "[TestGL]\nFillColor=16711680\n"));
  const auto dialog = OpenDialog();
  QCOMPARE(Find<QTreeWidget>(*dialog, "shaderTree")->currentItem()->text(0), QString("GL Test Shader"));
  auto* tabs = Find<QTabWidget>(*dialog, "pageTabs");
  QCOMPARE(tabs->count(), 2);
  QCOMPARE(tabs->tabText(1), QString("Fill"));
  NprShader* shader = NprShader::GetByTag("TestGL");
  QVERIFY(shader != nullptr);
  QVERIFY(shader->GetDialog(0) == tabs->widget(1));
  QVERIFY(shader->GetDialog(1) == nullptr);
  tabs->setCurrentIndex(1);
  // 0xFF0000 is blue in a COLORREF.
  QCOMPARE(Find<QLabel>(*tabs->widget(1), "fillColor")->text(), QString("#0000FF"));
}

QTEST_MAIN(SettingsDialogTest)
#include "settings_dialog_test.moc"
