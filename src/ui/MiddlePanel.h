// The middle panel pnMid of the main window: what to do when an output file exists and after a
// conversion, the output directory group, and the profile row.
#pragma once

#include <QWidget>

#include "ui/MainActions.h"

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
