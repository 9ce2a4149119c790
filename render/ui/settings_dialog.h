// The settings dialog: a shader from the tree, a style from the style box,
// the Common page and the shader's own pages in tabs, and a live preview.
// OK writes the working settings into the current style file and tells the
// host; Cancel discards them.
#pragma once

#include <linvale/export.h>
#include <linvale/npr_host_application_services.h>
#include <linvale/npr_render_settings.h>
#include <linvale/npr_ui_main_dlg.h>
#include <linvale/npr_win32_owners.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>

#include <memory>
#include <string>
#include <vector>

#include "dialog_prompts.h"

class NprPageDialog;
class NprRenderer;
class NprShader;

namespace linvale::ui {

class CommonRenderPage;

class LINVALE_API SettingsDialog : public QDialog, public NprUiMainDlg {
  Q_OBJECT

public:
  // How long the preview waits after the last change before it is redrawn.
  static constexpr int kPreviewDelayMs = 400;

  // `renderer` has loaded the plug-ins the dialog lists. `mode` 0 is the
  // host's own dialog (Common page for the host's settings); any other
  // value is the engine facade's (Common page with picture size and
  // antialiasing).
  SettingsDialog(NprRenderer* renderer, QWidget* parent, int mode, DialogPrompts prompts = ModalPrompts());
  ~SettingsDialog() override;
  SettingsDialog(const SettingsDialog&) = delete;
  SettingsDialog& operator=(const SettingsDialog&) = delete;

  NprRenderSettings WorkingSettings() const override;
  void ParametersChanged() override;

  // The full paths of the style box's items, item i being path i.
  const std::vector<std::string>& StylePaths() const { return mStylePaths; }

public slots:
  // Saves the working settings into their style file and tells the shader
  // and the host, then closes; it closes even when saving failed. Cancel
  // (reject) saves nothing.
  void accept() override;

private:
  using Folder = NprHostApplicationServices::Folder;

  void BuildLayout();
  void ListStyles(const std::string& folder, Folder kind);
  bool LoadStyleFile(const std::string& path);
  void SelectShaderItem(QTreeWidgetItem* item);
  void TreeSelectionChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous);
  void ShowShader(const QString& name);
  void RemovePages();
  void AddPage(NprPageDialog* page);
  void TabChanged(int index);
  void StyleChosen(int index);
  void SaveAsClicked();
  // The path of the new style file; empty when nothing was saved.
  std::string SaveStyleAs(const QString& name);
  void RemoveClicked();
  void ShowPreviewClicked();
  void PreviewTimerFired();
  void ShowPreviewOf(NprShader& shader);

  QComboBox* mStyleBox;
  QPushButton* mSaveAs;
  QPushButton* mRemove;
  QTreeWidget* mTree;
  QLabel* mPreview;
  QTabWidget* mTabs;
  QCheckBox* mShowPreviewBox;
  int mode;
  std::unique_ptr<NprPageDialog> mCommonPage;
  CommonRenderPage* mCommonRenderPage = nullptr;
  NprRenderSettings mSettings;
  NprUniqueGdiObject<HBITMAP> mPreviewBitmap;
  std::vector<std::string> mStylePaths;
  int mVisibleTab = -1;
  NprShader* mCurrentShader = nullptr;
  QTimer mPreviewTimer;
  int showPreview;
  bool mLoadingFromStyleBox = false;
  // Set while the program, not the user, changes the tree's selection.
  bool mSelectingShader = false;
  DialogPrompts mPrompts;
};

}  // namespace linvale::ui
