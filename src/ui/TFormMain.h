// PLACEHOLDER: the main window; its issue fills it in.
#pragma once

#include <QMainWindow>
#include <QStringList>
#include <cstddef>
#include <optional>

#include "encoder/EncoderSettings.h"

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
  // The enable rules of the whole window.
  void InitControls();
  // The encoder settings as the controls hold them now.
  EncoderSettings ReadEncoderSettings() const;
  // The file list's selected row, if any.
  std::optional<std::size_t> SelectedRow() const;

 private:
  ProgramState& state_;
  AppWindows& windows_;
};
