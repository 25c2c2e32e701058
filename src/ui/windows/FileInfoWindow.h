// The file information window: what the media probe learnt about the file of the list's selected
// row (name, folder, size, duration, frame rate, one row per stream), links that open the file and
// its folder, and saving it all as a text file. Created once at start; closing it only hides it.
#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <string>

#include "probe/FileInfo.h"
#include "probe/MediaProbe.h"
class QAction;
class QFileDialog;
class QLabel;
class QPushButton;
class QTableWidget;
class QWidget;

namespace vardeno {

class ClickableLabel;
struct AppWindows;
struct ProgramState;

class FileInfoWindow : public QDialog {
  Q_OBJECT
 public:
  FileInfoWindow(ProgramState& state, AppWindows& windows, QWidget* parent);
  // The window's texts in the language chosen (AppParams.Language).
  void SetLang();

  // F10: hides the window when it is shown; otherwise shows it and probes the selected row's file.
  void ToggleVisible();
  // While the window is shown and a row is selected: probes that row's file and shows the result.
  // With no row selected the window keeps what it shows.
  void UpdateList();
  // Shows one probe result in place of the previous one.
  void UpdateList(const MediaProbe& probe);
  // Empties the five values and the stream table (which keeps one empty row).
  void ClearAll();

  // Which file UpdateList() probes; by default the main window's selected row. For tests.
  using FileChooser = std::function<std::optional<std::string>()>;
  void SetFileChooser(FileChooser chooser) { fileChooser_ = std::move(chooser); }

 private:
  void BuildControls();
  // dlgSave, made at its first use, with the name filter of the language in force.
  QFileDialog* SaveDialog();
  std::optional<std::string> SelectedFilePath() const;
  MediaProbe ProbeFile(const std::string& path);
  void ShowStreams();
  void actSaveExecute();
  void lblFileNameClick();
  void lblDirectoryClick();

  ProgramState& state_;
  AppWindows& windows_;
  FileChooser fileChooser_;
  FileInfoView shown_;
  bool showsFile_ = false;

  QWidget* pnUp = nullptr;
  QLabel* lblFileNameDesc = nullptr;
  ClickableLabel* lblFileName = nullptr;
  QLabel* lblDirectoryDesc = nullptr;
  ClickableLabel* lblDirectory = nullptr;
  QLabel* lblFileSizeDesc = nullptr;
  QLabel* lblFileSize = nullptr;
  QLabel* lblDurationDesc = nullptr;
  QLabel* lblDuration = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* lblFPS = nullptr;
  QLabel* lblPlayerDesc = nullptr;
  QLabel* lblPlayerVerdict = nullptr;  // whether the chosen player plays the file as it is
  QLabel* lblStreams = nullptr;
  QTableWidget* val = nullptr;
  QWidget* pnDown = nullptr;
  QPushButton* btnSave = nullptr;
  QPushButton* btnClose = nullptr;
  QAction* actSave = nullptr;
  QAction* actClose = nullptr;
  QAction* actEsc = nullptr;
  QFileDialog* dlgSave = nullptr;  // made by SaveDialog() when first used
};

}  // namespace vardeno
