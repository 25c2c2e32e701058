// STAND-IN until the file list view lands: the list lv over the core's FileList.
#pragma once

#include <QTreeView>
#include <array>
#include <cstddef>
#include <optional>

struct ProgramState;
class FileListStandInModel;

class FileListView : public QTreeView {
  Q_OBJECT
 public:
  FileListView(ProgramState& state, QWidget* parent);
  ~FileListView() override;
  std::optional<std::size_t> SelectedRow() const;
  std::array<int, 5> ColumnWidths() const;
  void SetColumnWidths(const std::array<int, 5>& widths);
  bool GridLines() const { return gridLines_; }
  void SetGridLines(bool on) { gridLines_ = on; }
  void SetLang();

 signals:
  void listChanged();
  void selectionOrChecksChanged();
  void currentRowChanged();

 private:
  ProgramState& state_;
  FileListStandInModel* model_;
  bool gridLines_ = true;
};
