// The about window: the program's name, version and date, the author, the encoder in use and the
// links to the program's manual, the encoder project and the toolkit. Fixed size, on top, not
// modal; closing only hides it.
#pragma once

#include <QDialog>
#include <QLabel>
#include <functional>
#include <string>

class QAction;
class QFrame;

namespace vardeno {

struct AppWindows;
struct ProgramState;

// A label that opens an address: hand cursor, reachable with Tab, opened by a click, Enter or Space.
// Pointing at it underlines it: AddUnderline adds underlining to its present style and leaving
// takes only the underlining away (a bold label stays bold); UnderlineOnly makes the style
// underlined alone and leaving clears every style.
class LinkLabel : public QLabel {
 public:
  enum class Pointing { AddUnderline, UnderlineOnly };
  LinkLabel(Pointing pointing, QWidget* parent);
  std::function<void()> onClick;

 protected:
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  Pointing pointing_;
};

// The program's manual (README.md), which stands in for its home page: beside the executable, one
// folder up (the build tree), or in the installed documentation folders. Empty when there is none.
QString ProgramManualPath(const std::string& programDir);

class AboutWindow : public QDialog {
  Q_OBJECT
 public:
  AboutWindow(ProgramState& state, AppWindows& windows, QWidget* parent);
  // The window's texts in the language of CurrentLanguage.
  void SetLang();

  QFrame* Panel1;
  QLabel* Label1;
  QLabel* lblVersion;
  QLabel* lblDate;
  QLabel* Label3;
  LinkLabel* lblWWW;
  QLabel* Label5;  // the encoder's version line
  QLabel* Label6;  // which command-line parameters it gets
  LinkLabel* lblWwwFFmpeg;
  QFrame* Panel2;
  QLabel* lblFreeDesc;
  LinkLabel* lblCredit;
  QAction* actEsc;
  QAction* actClose;  // the key of the main window's actAbout

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildControls();
  // Asks the encoder in use for its version and generation (each time the window is shown, so the
  // program's start never waits for the encoder).
  void ReadEncoder();
  void ShowEncoderTexts();
  void FitSize();

  ProgramState& state_;
  AppWindows& windows_;
  // What ReadEncoder found: no encoder, or its version line ("" when unknown) and generation.
  bool encoderFound_ = false;
  bool encoderRead_ = false;
  std::string encoderVersion_;
  bool encoderClassic_ = false;
};

}  // namespace vardeno
