// The command-line preview: the argument string the encoder in use would get for the main
// window's current encoder settings, with "<input_file>" and "<output_file>" in place of the paths.
// Created once at start; closing it (Esc or the close box) only hides it.
#pragma once

#include <QDialog>
#include <functional>

#include "encoder/EncoderSettings.h"

class QAction;
class QLabel;
class QPlainTextEdit;

namespace vardeno {

struct AppWindows;
struct ProgramState;

class CommandLineWindow : public QDialog {
  Q_OBJECT
 public:
  CommandLineWindow(ProgramState& state, AppWindows& windows, QWidget* parent);
  // The caption in the language in force.
  void SetLang();
  // Builds the preview line (every builder runs, each refused value shows its warning and leaves
  // its piece empty), adapted to the generation of the encoder in use, puts it in the text box
  // in place of the previous one and shows the window in front, not modal. Under it, the line the
  // main window shows under the format: what in the settings the chosen player does not take.
  void ShowCommandLine();

  // Where the encoder settings come from; by default the main window's controls. For tests.
  using SettingsSource = std::function<EncoderSettings()>;
  void SetSettingsSource(SettingsSource source) { settingsSource_ = std::move(source); }

 private:
  ProgramState& state_;
  AppWindows& windows_;
  SettingsSource settingsSource_;
  QPlainTextEdit* me = nullptr;
  QLabel* lblPlayerWarning = nullptr;
  QAction* actEsc = nullptr;
};

}  // namespace vardeno
