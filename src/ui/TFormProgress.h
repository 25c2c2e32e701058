// PLACEHOLDER: the progress window; its issue fills it in. It is the core's ConversionView: what
// concerns the main window or the errors window it hands on to them.
#pragma once

#include <QDialog>

#include "conversion/ConversionRun.h"

struct AppWindows;
struct ProgramState;

class TFormProgress : public QDialog, public ConversionView {
  Q_OBJECT
 public:
  TFormProgress(ProgramState& state, AppWindows& windows, QWidget* parent);
  void SetLang();

  // ConversionView
  void ShowWarning(const std::string& text) override;
  void DisableAll() override;
  void EnableAll() override;
  void ShowSystemError(const std::string& text) override;
  void ShowProgressWindow() override;
  void ShowErrorsWindow() override;
  void SetErrorsCaption(const std::string& caption) override;
  void ProcessPendingEvents() override;

 private:
  ProgramState& state_;
  AppWindows& windows_;
};
