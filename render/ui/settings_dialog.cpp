#include "settings_dialog.h"

#include <linvale/npr_page_dialog.h>
#include <linvale/npr_preview_scene.h>
#include <linvale/npr_renderer.h>
#include <linvale/npr_shader.h>

#include <QDialogButtonBox>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "bitmap_image.h"
#include "common_host_page.h"
#include "common_render_page.h"
#include "style_icons.h"

namespace linvale::ui {

namespace {

namespace fs = std::filesystem;

// The image role of a style box item: the folder kind the style was found in.
constexpr int kFolderKindRole = Qt::UserRole;

NprHostApplicationServices* Host() { return NprHostApplicationServices::getDefaultHost(); }

std::string HostFolder(NprHostApplicationServices::Folder kind) {
  char folder[MAX_PATH] = "";
  NprHostApplicationServices* host = Host();
  if (host == nullptr || host->GetStyleFolder(kind, folder, sizeof folder) == 0) {
    return {};
  }
  return folder;
}

void CreateFolder(const std::string& folder) {
  std::error_code ignored;
  fs::create_directories(folder, ignored);
}

// The style files of `folder` by name, as the platform's file search lists
// them.
std::vector<fs::path> StyleFilesIn(const std::string& folder) {
  std::vector<fs::path> files;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
    std::error_code typeError;
    if (entry.path().extension() == ".npr" && entry.is_regular_file(typeError)) {
      files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

// Holds a reference to a shader for the length of one use; the shader may
// be null or already gone from the registry.
class ShaderUse {
public:
  explicit ShaderUse(NprShader* shader) : mShader(shader != nullptr && shader->AddRef() != 0 ? shader : nullptr) {}
  ~ShaderUse() {
    if (mShader != nullptr) {
      mShader->Release();
    }
  }
  ShaderUse(const ShaderUse&) = delete;
  ShaderUse& operator=(const ShaderUse&) = delete;

  NprShader* get() const { return mShader; }
  explicit operator bool() const { return mShader != nullptr; }

private:
  NprShader* mShader;
};

}  // namespace

SettingsDialog::SettingsDialog(NprRenderer* /*renderer*/, QWidget* parent, int mode, DialogPrompts prompts)
    : QDialog(parent),
      mStyleBox(new QComboBox(this)),
      mSaveAs(new QPushButton("&Save as", this)),
      mRemove(new QPushButton("&Remove", this)),
      mTree(new QTreeWidget(this)),
      mPreview(new QLabel(this)),
      mTabs(new QTabWidget(this)),
      mShowPreviewBox(new QCheckBox("Show Preview", this)),
      mode(mode),
      showPreview(Host() != nullptr && Host()->getShowPreview() ? 1 : 0),
      mPrompts(std::move(prompts)) {
  BuildLayout();
  mPreviewTimer.setSingleShot(true);
  mPreviewTimer.setInterval(kPreviewDelayMs);
  connect(&mPreviewTimer, &QTimer::timeout, this, &SettingsDialog::PreviewTimerFired);
  connect(mTree, &QTreeWidget::currentItemChanged, this, &SettingsDialog::TreeSelectionChanged);
  connect(mStyleBox, &QComboBox::activated, this, &SettingsDialog::StyleChosen);
  connect(mTabs, &QTabWidget::currentChanged, this, &SettingsDialog::TabChanged);
  connect(mSaveAs, &QPushButton::clicked, this, &SettingsDialog::SaveAsClicked);
  connect(mRemove, &QPushButton::clicked, this, &SettingsDialog::RemoveClicked);
  connect(mShowPreviewBox, &QCheckBox::clicked, this, &SettingsDialog::ShowPreviewClicked);

  for (const Folder kind : {Folder::UserStylesFolder, Folder::CommonDataFolder}) {
    if (const std::string folder = HostFolder(kind); !folder.empty()) {
      CreateFolder(folder);
      ListStyles(folder, kind);
    }
  }
  if (const std::string folder = HostFolder(Folder::MachineStylesFolder); !folder.empty()) {
    ListStyles(folder, Folder::MachineStylesFolder);
  }
  for (unsigned long index = 0; index < NprShader::Shaders(); ++index) {
    if (NprShader* shader = NprShader::GetByIndex(index); shader != nullptr) {
      mTree->addTopLevelItem(new QTreeWidgetItem(QStringList(QString::fromUtf8(shader->GetName(0)))));
    }
  }
  // The default style lives here; it is not listed among the styles.
  if (const std::string folder = HostFolder(Folder::UserDataFolder); !folder.empty()) {
    CreateFolder(folder);
  }
  char defaultStyle[MAX_PATH] = "";
  if (Host() != nullptr && Host()->GetDefaultStyleFilePath(defaultStyle, sizeof defaultStyle) != 0) {
    LoadStyleFile(defaultStyle);
  }
}

SettingsDialog::~SettingsDialog() {
  mPreviewTimer.stop();
  RemovePages();
  // Shaders outlive the dialog; none may keep asking it for settings.
  for (unsigned long index = 0; index < NprShader::Shaders(); ++index) {
    if (const ShaderUse shader(NprShader::GetByIndex(index)); shader) {
      shader.get()->setMainDlg(nullptr);
    }
  }
}

void SettingsDialog::BuildLayout() {
  setObjectName("settingsDialog");
  setWindowTitle("Orvelle Settings");
  mStyleBox->setObjectName("styleBox");
  mStyleBox->setMinimumContentsLength(18);
  mSaveAs->setObjectName("saveAsButton");
  mRemove->setObjectName("removeButton");
  mTree->setObjectName("shaderTree");
  mTree->setHeaderHidden(true);
  mTree->setRootIsDecorated(false);
  mPreview->setObjectName("previewImage");
  mPreview->setFixedSize(kNprPreviewSize, kNprPreviewSize);
  mPreview->setPixmap(PlaceholderPreview(kNprPreviewSize));
  mTabs->setObjectName("pageTabs");
  mTabs->setMinimumSize(360, 300);
  mShowPreviewBox->setObjectName("showPreview");
  mShowPreviewBox->setChecked(showPreview != 0);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName("okButton");
  buttons->button(QDialogButtonBox::Cancel)->setObjectName("cancelButton");
  connect(buttons, &QDialogButtonBox::accepted, this, &SettingsDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &SettingsDialog::reject);

  auto* styleRow = new QHBoxLayout;
  auto* styleLabel = new QLabel("Style:", this);
  styleLabel->setBuddy(mStyleBox);
  styleRow->addWidget(styleLabel);
  styleRow->addWidget(mStyleBox, 1);
  styleRow->addWidget(mSaveAs);
  styleRow->addWidget(mRemove);
  auto* left = new QVBoxLayout;
  left->addWidget(mTree, 1);
  left->addWidget(mPreview);
  left->addWidget(mShowPreviewBox);
  auto* body = new QHBoxLayout;
  body->addLayout(left);
  body->addWidget(mTabs, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(styleRow);
  layout->addLayout(body, 1);
  layout->addWidget(buttons);
}

NprRenderSettings SettingsDialog::WorkingSettings() const { return mSettings; }

void SettingsDialog::ParametersChanged() {
  mSettings.SetStyle("");
  mStyleBox->setCurrentIndex(-1);
  // Restarting coalesces a burst of changes into one preview.
  mPreviewTimer.start();
}

void SettingsDialog::ListStyles(const std::string& folder, Folder kind) {
  for (const fs::path& file : StyleFilesIn(folder)) {
    mStylePaths.push_back((fs::path(folder) / file.filename()).string());
    mStyleBox->addItem(StyleIcon(kind), QString::fromStdString(file.stem().string()), static_cast<int>(kind));
  }
}

bool SettingsDialog::LoadStyleFile(const std::string& path) {
  if (mSettings.Load(path.c_str(), true) == 0) {
    return false;
  }
  const ShaderUse shader(NprShader::GetByTag(mSettings.GetShaderTag()));
  if (!shader) {
    return false;
  }
  shader.get()->setMainDlg(this);
  const QString name = QString::fromUtf8(shader.get()->GetName(0));
  const QList<QTreeWidgetItem*> found = mTree->findItems(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (!found.isEmpty()) {
    SelectShaderItem(found.front());
  }
  if (!mLoadingFromStyleBox) {
    mStyleBox->setCurrentIndex(
        mStyleBox->findText(QString::fromUtf8(mSettings.GetStyle()), Qt::MatchExactly | Qt::MatchCaseSensitive));
  }
  return !found.isEmpty();
}

void SettingsDialog::SelectShaderItem(QTreeWidgetItem* item) {
  mSelectingShader = true;
  // Selecting the item again must still rebuild the pages for the newly
  // loaded settings, so an item already selected is let go first.
  if (mTree->currentItem() == item) {
    mTree->setCurrentItem(nullptr);
  }
  mTree->setCurrentItem(item);
  mSelectingShader = false;
}

void SettingsDialog::TreeSelectionChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous) {
  if (current == nullptr || current == previous) {
    return;
  }
  if (!mSelectingShader) {
    ParametersChanged();
  }
  ShowShader(current->text(0));
}

void SettingsDialog::ShowShader(const QString& name) {
  RemovePages();
  mCurrentShader = NprShader::GetByName(name.toUtf8().constData());
  const ShaderUse shader(mCurrentShader);
  if (!shader) {
    mCurrentShader = nullptr;
    return;
  }
  shader.get()->setMainDlg(this);
  if (NprHostApplicationServices* host = Host(); host != nullptr) {
    host->OnLoadSettings(mSettings);
  }
  if (std::strcmp(shader.get()->GetTag(0), mSettings.GetShaderTag()) != 0) {
    mSettings.SetShaderTag(shader.get()->GetTag(0));
    mSettings.SetShaderName(shader.get()->GetName(0));
    shader.get()->LoadSettings(mSettings.GetConfigFileName());
  }
  {
    // Building the tabs moves the current tab; only the user's choice is
    // remembered by the shader.
    const QSignalBlocker quiet(mTabs);
    if (mode == 0) {
      mCommonPage = std::make_unique<CommonHostPage>(mSettings, this);
    } else {
      auto page = std::make_unique<CommonRenderPage>(mSettings, this);
      mCommonRenderPage = page.get();
      mCommonPage = std::move(page);
    }
    AddPage(mCommonPage.get());
    for (unsigned index = 0; NprPageDialog* page = shader.get()->GetDialog(index); ++index) {
      AddPage(page);
    }
    const int remembered = shader.get()->GetCurDialogIndex();
    mVisibleTab = remembered >= 0 && remembered < mTabs->count() ? remembered : -1;
    mTabs->setCurrentIndex(mVisibleTab);
  }
  mPreviewBitmap.reset();
  ShowPreviewOf(*shader.get());
}

void SettingsDialog::RemovePages() {
  const QSignalBlocker quiet(mTabs);
  for (int tab = mTabs->count() - 1; tab >= 0; --tab) {
    QWidget* page = mTabs->widget(tab);
    mTabs->removeTab(tab);
    // Shader pages belong to their plug-in: they leave the dialog's widget
    // tree instead of being deleted with it.
    page->hide();
    page->setParent(nullptr);
  }
  mCommonRenderPage = nullptr;
  mCommonPage.reset();
  mVisibleTab = -1;
}

void SettingsDialog::AddPage(NprPageDialog* page) {
  // As a child of the tab widget the page loses its own window frame.
  mTabs->addTab(page, page->windowTitle());
}

void SettingsDialog::TabChanged(int index) {
  mVisibleTab = index;
  if (const ShaderUse shader(mCurrentShader); shader) {
    shader.get()->SetCurDialogIndex(index);
  }
}

void SettingsDialog::StyleChosen(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= mStylePaths.size()) {
    return;
  }
  mLoadingFromStyleBox = true;
  const std::string path = mStylePaths[static_cast<std::size_t>(index)];
  if (LoadStyleFile(path)) {
    mSettings.SetStyle(fs::path(path).stem().string().c_str());
  }
  mLoadingFromStyleBox = false;
}

void SettingsDialog::SaveAsClicked() {
  const std::optional<QString> name = mPrompts.styleName ? mPrompts.styleName(this) : std::nullopt;
  if (!name || name->isEmpty()) {
    return;
  }
  const std::string path = SaveStyleAs(*name);
  if (path.empty()) {
    return;
  }
  int item = mStyleBox->findText(*name, Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (item < 0 || mStyleBox->itemData(item, kFolderKindRole).toInt() > Folder::UserStylesFolder) {
    item = 0;
    mStyleBox->insertItem(item, StyleIcon(Folder::UserStylesFolder), *name, static_cast<int>(Folder::UserStylesFolder));
    mStylePaths.insert(mStylePaths.begin(), path);
  }
  mStyleBox->setCurrentIndex(item);
  mSettings.SetStyle(name->toUtf8().constData());
}

std::string SettingsDialog::SaveStyleAs(const QString& name) {
  const std::string folder = HostFolder(Folder::UserStylesFolder);
  if (folder.empty() || mSettings.Save() == 0) {
    return {};
  }
  const std::string target = (fs::path(folder) / (name.toStdString() + ".npr")).string();
  std::error_code error;
  if (fs::exists(target, error) &&
      (!mPrompts.confirmOverwrite || !mPrompts.confirmOverwrite(this, QString::fromStdString(target)))) {
    return {};
  }
  fs::copy_file(mSettings.GetConfigFileName(), target, fs::copy_options::overwrite_existing, error);
  return error ? std::string() : target;
}

void SettingsDialog::RemoveClicked() {
  const int item = mStyleBox->currentIndex();
  if (item >= 0 && static_cast<std::size_t>(item) < mStylePaths.size()) {
    const QString path = QString::fromStdString(mStylePaths[static_cast<std::size_t>(item)]);
    if (mPrompts.confirmRemove && mPrompts.confirmRemove(this, path) && QFile::moveToTrash(path)) {
      mStyleBox->removeItem(item);
      mStylePaths.erase(mStylePaths.begin() + item);
    }
  }
  mSettings.SetStyle("");
}

void SettingsDialog::ShowPreviewClicked() {
  showPreview = mShowPreviewBox->isChecked() ? 1 : 0;
  mPreviewTimer.start();
}

void SettingsDialog::PreviewTimerFired() {
  if (const ShaderUse shader(mCurrentShader); shader) {
    ShowPreviewOf(*shader.get());
  }
}

void SettingsDialog::ShowPreviewOf(NprShader& shader) {
  mPreviewBitmap.reset(showPreview != 0 ? shader.GetBitmap() : shader.GetDefaultBitmap());
  const QImage image = ImageFromBitmap(mPreviewBitmap.get());
  mPreview->setPixmap(image.isNull() ? PlaceholderPreview(kNprPreviewSize) : QPixmap::fromImage(image));
}

void SettingsDialog::accept() {
  if (mode != 0 && mCommonRenderPage != nullptr) {
    mCommonRenderPage->Apply(mSettings);
  }
  if (mSettings.Save() != 0) {
    if (const ShaderUse shader(NprShader::GetByTag(mSettings.GetShaderTag())); shader) {
      shader.get()->SaveSettings(mSettings.GetConfigFileName());
      if (NprHostApplicationServices* host = Host(); host != nullptr) {
        host->OnSaveSettings(mSettings);
        host->setShowPreview(showPreview != 0);
      }
    }
  }
  QDialog::accept();
}

}  // namespace linvale::ui
