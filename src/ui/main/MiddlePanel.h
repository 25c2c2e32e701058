// The middle panel pnMid of the main window: what to do when an output file exists and after a
// conversion, how many files convert at once, the output directory group, and the profile row.
#pragma once

#include <QWidget>

#include "ui/main/MainActions.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class MiddlePanel : public QWidget {
  Q_OBJECT
 public:
  MiddlePanel(const MainActions& actions, QWidget* parent);

  // Fills the output-exists list (3 entries) and the after-conversion list (its first 2 entries;
  // the language routine adds the third), selects the first of each, and puts programDir into
  // edOutDir.
  void Prepare(const QString& programDir);

  QLabel* lblIfOutputExists;
  QComboBox* cbOutputExists;
  QLabel* lblAfterConversion;
  QComboBox* cbAfterConversion;
  // "Auto" (item data 0), then 1 to the usable cores (item data: that number).
  QLabel* lblFilesAtOnce;
  QComboBox* cbFilesAtOnce;
  // The chosen number of files at once (0: Auto); select picks value, or the highest offered
  // when value is above it.
  int FilesAtOnce() const;
  void SelectFilesAtOnce(int value);
  QGroupBox* gbOutputDir;
  QRadioButton* rbOutDirIsInDir;
  QRadioButton* rbOutDir;
  QLineEdit* edOutDir;
  QPushButton* btnBrowseOutDir;
  QPushButton* btnExplore;
  QLabel* lblProfile;
  QComboBox* cbProfile;
  QPushButton* btnLoadProfile;
  QPushButton* btnSaveProfile;

 signals:
  // Either output-directory radio button was clicked.
  void outDirChoiceClicked();
};
