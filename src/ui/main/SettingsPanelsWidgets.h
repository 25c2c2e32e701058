// Small builders shared by the settings columns: widgets carrying their object names, number
// boxes with their ranges, labels that are the buddy of the control they name, and the editable
// lists that hold typed text.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QSpinBox>
#include <QString>
#include <string>
#include <vector>

#include "encoder/EncoderSettings.h"
#include "ui/QtText.h"

namespace vardeno {

template <class W>
W* MakeNamed(const char* name, QWidget* parent) {
  auto* widget = new W(parent);
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

// A number box with the field's range. The settings are 16-bit values, which every range holds.
inline QSpinBox* MakeNumberBox(const char* name, FieldRange range, QWidget* parent, int step = 1) {
  auto* box = MakeNamed<QSpinBox>(name, parent);
  box->setRange(range.min, range.max);
  box->setSingleStep(step);
  box->setAccelerated(true);
  return box;
}

// A label naming buddy: its text becomes the control's accessible name.
inline QLabel* MakeBuddyLabel(const char* name, QWidget* buddy, QWidget* parent) {
  auto* label = MakeNamed<QLabel>(name, parent);
  label->setBuddy(buddy);
  return label;
}

inline QComboBox* MakeList(const char* name, QWidget* parent, bool editable = false) {
  auto* list = MakeNamed<QComboBox>(name, parent);
  list->setEditable(editable);
  if (editable) list->setInsertPolicy(QComboBox::NoInsert);  // typed text is a value, not a new entry
  return list;
}

// A list of short entries (numbers, "Auto") that takes little width.
inline void SetShortList(QComboBox* list) {
  list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  list->setMinimumContentsLength(4);
}

inline void FillList(QComboBox* list, const std::vector<std::string>& entries) {
  list->clear();
  for (const std::string& entry : entries) list->addItem(ToQ(entry));
}

// Puts text into an editable list, selecting the entry that reads the same when there is one.
inline void SetEditableText(QComboBox* list, const std::string& text) {
  const QString value = ToQ(text);
  const int index = list->findText(value, Qt::MatchExactly | Qt::MatchCaseSensitive);
  list->setCurrentIndex(index);
  if (index < 0 || list->currentText() != value) list->setEditText(value);
}

// Selects entry index; an index outside the list leaves no entry selected.
inline void SelectEntry(QComboBox* list, int index) {
  list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}

}  // namespace vardeno
