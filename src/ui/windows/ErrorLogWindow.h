// The errors window: the error log of the current conversion run in an editable pane, which the
// user can clear and save. It listens to the core's ErrorLog, so every entry the run adds appears
// at once.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "conversion/ErrorLog.h"

class QAction;
class QFileDialog;
class QPlainTextEdit;
class QPushButton;

namespace vardeno {

struct AppWindows;
struct ProgramState;

class ErrorLogWindow : public QDialog, public ErrorLogListener {
  Q_OBJECT
 public:
  // Becomes the listener of state.Errors (and stops being it when destroyed).
  ErrorLogWindow(ProgramState& state, AppWindows& windows, QWidget* parent);
  ~ErrorLogWindow() override;
  // The window's texts in the language in force (AppParams.Language).
  void SetLang();
  // Shows the window when hidden, hides it when shown (the main window's F11).
  void ToggleVisible();

  // The pane's lines as saving writes them; a line break at the very end adds no line.
  std::vector<std::string> PaneLines() const;

  void actClearLogExecute();
  // Asks for a file name with dlgSaveLog and saves the pane there.
  void actSaveLogExecute();
  // Writes the pane's lines to path, each followed by CR LF, replacing the file; a failure is
  // shown in the system error box and leaves the file as it was. True when written.
  bool SaveLogTo(const std::string& path);

  // ErrorLogListener
  void LinesAppended(std::size_t first, std::size_t count) override;
  void Cleared() override;

 private:
  // dlgSaveLog, made at its first use, with the name filter of the language in force.
  QFileDialog* SaveLogDialog();
  void BuildControls();

  ProgramState& state_;
  AppWindows& windows_;

  QPlainTextEdit* me = nullptr;
  QAction* actClearLog = nullptr;
  QAction* actSaveLog = nullptr;
  QAction* actClose = nullptr;
  QAction* actEsc = nullptr;
  QPushButton* btnClearLog = nullptr;
  QPushButton* btnSaveLog = nullptr;
  QPushButton* btnClose = nullptr;
  QFileDialog* dlgSaveLog = nullptr;  // made by SaveLogDialog() when first used
};

}  // namespace vardeno
