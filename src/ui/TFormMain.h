// PLACEHOLDER: the main window; its issue fills it in.
#pragma once

#include <QMainWindow>
#include <QStringList>

struct AppWindows;
struct ProgramState;

class TFormMain : public QMainWindow {
  Q_OBJECT
 public:
  TFormMain(ProgramState& state, AppWindows& windows, const QStringList& arguments);
  void SetLang();
  // Everything off during a conversion; on again afterwards, then the enable rules.
  void DisableAll();
  void EnableAll();

 private:
  ProgramState& state_;
  AppWindows& windows_;
};
