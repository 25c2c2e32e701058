// PLACEHOLDER: the Errors window; its issue fills it in.
#pragma once

#include <QDialog>

struct AppWindows;
struct ProgramState;

class TFormErrors : public QDialog {
  Q_OBJECT
 public:
  TFormErrors(ProgramState& state, AppWindows& windows, QWidget* parent);
  // The window's texts in the language in force.
  void SetLang();

 private:
  ProgramState& state_;
  AppWindows& windows_;
};
