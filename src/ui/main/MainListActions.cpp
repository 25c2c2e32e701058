// The file list's actions of the main window and the list's enable rules.
#include <QDesktopServices>
#include <QUrl>
#include <filesystem>

#include "app/ProgramState.h"
#include "filelist/ListFile.h"
#include "platform/SystemError.h"
#include "ui/AppWindows.h"
#include "ui/main/FileListView.h"
#include "ui/main/MainFileDialogs.h"
#include "ui/main/MainOtherWindows.h"
#include "ui/main/MainTexts.h"
#include "ui/MessageBoxes.h"
#include "ui/QtText.h"
#include "ui/main/MainWindow.h"

namespace vardeno {

namespace {
bool IsDirectory(const std::string& path) {
  std::error_code error;
  return !path.empty() && std::filesystem::is_directory(path, error);
}
}  // namespace

std::string MainWindow::AddFilesStartDir() const {
  const std::string& lastAdded = state_.Files.LastAddedDirectory();
  if (!lastAdded.empty()) return lastAdded;
  return IsDirectory(lastDir_) ? lastDir_ : state_.ProgramDir;
}

void MainWindow::ListRules() {
  const auto selected = SelectedRow();
  const UiLanguage lang = state_.CurrentLanguage;
  const std::string directory = selected ? state_.Files.Row(*selected).Directory : std::string();
  QString caption = ToQ(ExploreDirectoryCaption(directory, lang));
  actions_.actExploreDirectory->setToolTip(caption);
  actions_.actExploreDirectory->setText(caption.replace(QLatin1Char('&'), QStringLiteral("&&")));
  actions_.actExploreDirectory->setEnabled(selected.has_value());
  actions_.actShowHideFileInfo->setEnabled(selected.has_value());
  actions_.actShowFramePreview->setEnabled(selected.has_value());
  const bool anyChecked = state_.Files.GetCheckedCount() > 0;
  actions_.actSaveBAT->setEnabled(anyChecked);
  actions_.actConvert->setEnabled(anyChecked);
  actions_.actRemoveChecked->setEnabled(anyChecked);
  const bool anyRow = !state_.Files.Empty();
  actions_.actCheckAll->setEnabled(anyRow);
  actions_.actInvertSelection->setEnabled(anyRow);
}

void MainWindow::actAddFilesExecute() {
  const QStringList names = AskOpenFileNames(this, ToQ(AddFilesStartDir()), AddFilesFilter(state_.CurrentLanguage),
                                             QStringLiteral("flv"));
  for (const QString& name : names) state_.Files.AddToList(ToStd(name), state_.CurrentLanguage);
  InitControls();
}

void MainWindow::actLoadFileListExecute() {
  const QString name = AskOpenFileName(this, ToQ(listFileDir_), ListFileFilter(state_.CurrentLanguage), QStringLiteral("lst"));
  if (name.isEmpty()) return;
  listFileDir_ = std::filesystem::path(ToStd(name)).parent_path().string();
  try {
    LoadFileList(state_.Files, ToStd(name), state_.CurrentLanguage);
  } catch (const SystemError& error) {
    ShowSystemErrorBox(this, error.what());
  }
  InitControls();
}

void MainWindow::actSaveFileListExecute() {
  const QString name = AskSaveFileName(this, ToQ(listFileDir_), ListFileFilter(state_.CurrentLanguage), QStringLiteral("lst"));
  if (name.isEmpty()) return;
  listFileDir_ = std::filesystem::path(ToStd(name)).parent_path().string();
  try {
    SaveFileList(state_.Files, ToStd(name));
  } catch (const SystemError& error) {
    ShowSystemErrorBox(this, error.what());
  }
}

void MainWindow::actCheckAllExecute() {
  state_.Files.CheckAll();
  InitControls();
}

void MainWindow::actInvertSelectionExecute() {
  state_.Files.InvertChecks();
  InitControls();
}

void MainWindow::actRemoveCheckedExecute() {
  state_.Files.RemoveChecked();
  InitControls();
}

void MainWindow::actExploreDirectoryExecute() {
  const auto selected = SelectedRow();
  if (!selected) return;
  QDesktopServices::openUrl(QUrl::fromLocalFile(ToQ(state_.Files.Row(*selected).Directory)));
}

// The selection moved: while the file information window is shown, it follows the selected row.
// The probe runs later, once for any number of moves made meanwhile, on the row selected then.
void MainWindow::lvSelectItem() {
  RefreshFramePreviewSoon();
  if (!SelectedRow() || !FileInfoWindowVisible(windows_)) return;
  ListRules();
  if (selectionProbeQueued_) return;
  selectionProbeQueued_ = true;
  Later([this] {
    selectionProbeQueued_ = false;
    UpdateFileInfoWindow(windows_);
  });
}

}  // namespace vardeno
