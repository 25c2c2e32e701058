// The file list's commands of the main window and the list's enable rules.
#include "ui/main/MainListActions.h"

#include <QDesktopServices>
#include <QUrl>
#include <filesystem>

#include "app/ProgramState.h"
#include "filelist/ListFile.h"
#include "platform/SystemError.h"
#include "ui/AppWindows.h"
#include "ui/MessageBoxes.h"
#include "ui/QtText.h"
#include "ui/main/FileListView.h"
#include "ui/main/MainActions.h"
#include "ui/main/MainFileDialogs.h"
#include "ui/main/MainOtherWindows.h"
#include "ui/main/MainTexts.h"

namespace vardeno {

namespace {
bool IsDirectory(const std::string& path) {
  std::error_code error;
  return !path.empty() && std::filesystem::is_directory(path, error);
}
}  // namespace

MainListActions::MainListActions(ProgramState& state, AppWindows& windows, const MainActions& actions,
                                 FileListView& list, QWidget* window, WindowCalls calls)
    : state_(state), windows_(windows), actions_(actions), list_(list), window_(window),
      calls_(std::move(calls)) {
  connect(actions.actAddFiles, &QAction::triggered, this, &MainListActions::AddFiles);
  connect(actions.actRemoveChecked, &QAction::triggered, this, &MainListActions::RemoveChecked);
  connect(actions.actCheckAll, &QAction::triggered, this, &MainListActions::CheckAll);
  connect(actions.actInvertSelection, &QAction::triggered, this, &MainListActions::InvertChecks);
  connect(actions.actLoadFileList, &QAction::triggered, this, &MainListActions::LoadList);
  connect(actions.actSaveFileList, &QAction::triggered, this, &MainListActions::SaveList);
  connect(actions.actExploreDirectory, &QAction::triggered, this, &MainListActions::ExploreDirectory);
}

std::string MainListActions::AddFilesStartDir() const {
  const std::string& lastAdded = state_.Files.LastAddedDirectory();
  if (!lastAdded.empty()) return lastAdded;
  return IsDirectory(lastDir_) ? lastDir_ : state_.ProgramDir;
}

void MainListActions::Rules() {
  const auto selected = list_.SelectedRow();
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

void MainListActions::AddFiles() {
  const QStringList names = AskOpenFileNames(window_, ToQ(AddFilesStartDir()), AddFilesFilter(state_.CurrentLanguage),
                                             QStringLiteral("flv"));
  for (const QString& name : names) state_.Files.AddToList(ToStd(name), state_.CurrentLanguage);
  calls_.initControls();
}

void MainListActions::LoadList() {
  const QString name =
      AskOpenFileName(window_, ToQ(listFileDir_), ListFileFilter(state_.CurrentLanguage), QStringLiteral("lst"));
  if (name.isEmpty()) return;
  listFileDir_ = std::filesystem::path(ToStd(name)).parent_path().string();
  try {
    LoadFileList(state_.Files, ToStd(name), state_.CurrentLanguage);
  } catch (const SystemError& error) {
    ShowSystemErrorBox(window_, error.what());
  }
  calls_.initControls();
}

void MainListActions::SaveList() {
  const QString name =
      AskSaveFileName(window_, ToQ(listFileDir_), ListFileFilter(state_.CurrentLanguage), QStringLiteral("lst"));
  if (name.isEmpty()) return;
  listFileDir_ = std::filesystem::path(ToStd(name)).parent_path().string();
  try {
    SaveFileList(state_.Files, ToStd(name));
  } catch (const SystemError& error) {
    ShowSystemErrorBox(window_, error.what());
  }
}

void MainListActions::CheckAll() {
  state_.Files.CheckAll();
  calls_.initControls();
}

void MainListActions::InvertChecks() {
  state_.Files.InvertChecks();
  calls_.initControls();
}

void MainListActions::RemoveChecked() {
  state_.Files.RemoveChecked();
  calls_.initControls();
}

void MainListActions::ExploreDirectory() {
  const auto selected = list_.SelectedRow();
  if (!selected) return;
  QDesktopServices::openUrl(QUrl::fromLocalFile(ToQ(state_.Files.Row(*selected).Directory)));
}

// The probe runs later, once for any number of moves made meanwhile, on the row selected then.
void MainListActions::SelectionMoved() {
  if (!list_.SelectedRow() || !FileInfoWindowVisible(windows_)) return;
  Rules();
  if (selectionProbeQueued_) return;
  selectionProbeQueued_ = true;
  calls_.later([this] {
    selectionProbeQueued_ = false;
    UpdateFileInfoWindow(windows_);
  });
}

}  // namespace vardeno
