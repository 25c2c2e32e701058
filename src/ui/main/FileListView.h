// The main window's file list `lv`: the rows of the core's FileList in five columns with check
// boxes, several rows selectable, whole rows highlighted, optional grid lines. Rows dragged onto
// rows exchange their texts (the check marks stay); files and folders dropped from a file manager
// are added by the core's rules for dropped files. The view only reports what happened; the main
// window re-evaluates its controls and shows the context menu.
#pragma once

#include <QList>
#include <QTreeView>
#include <QUrl>
#include <array>
#include <cstddef>
#include <optional>
class QMimeData;

namespace vardeno {

struct ProgramState;
class FileListModel;

class FileListView : public QTreeView {
  Q_OBJECT
 public:
  static constexpr int kColumnCount = 5;

  FileListView(ProgramState& state, QWidget* parent = nullptr);

  FileListModel* ListModel() const { return model_; }

  // Column captions and the list's accessible name in the language in force
  // (state.CurrentLanguage).
  void SetLang();

  void SetGridLines(bool on);
  bool GridLines() const { return gridLines_; }

  // Widths of the columns number, video file, directory, size, status. Stored values that no
  // user could have made (negative, or wider than any screen) are brought into range.
  std::array<int, kColumnCount> ColumnWidths() const;
  void SetColumnWidths(const std::array<int, kColumnCount>& widths);

  // The selected row the list's actions work on: the first selected row in list order.
  std::optional<std::size_t> SelectedRow() const;

  // Adds the local files among urls by the rules for dropped files (list files are loaded, other
  // names pass the extension test, folders are one name) and emits listChanged. A list file that
  // cannot be read shows the system error box; the rows added before it stay. Does nothing while a
  // conversion runs. Returns the number of rows added. The main window calls it for files dropped
  // elsewhere on it; a drop on the list itself comes here on its own.
  std::size_t DropFiles(const QList<QUrl>& urls);

  // What a row dragged from this list carries (new object, the caller owns it).
  QMimeData* CreateRowDragData() const;

 signals:
  // Rows were added by a drop, or two rows exchanged their texts by dragging.
  void listChanged();
  // A click, a released key, a check mark set or cleared, or a change of the selection.
  void selectionOrChecksChanged();
  // SelectedRow() now names another row, or its row's file changed by a row drag.
  void currentRowChanged();

 protected:
  void startDrag(Qt::DropActions supportedActions) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dragLeaveEvent(QDragLeaveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;
  void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QByteArray RowDragToken() const;
  bool IsOwnRowDrag(const QMimeData* data) const;
  void SetDropTarget(int row);
  // Emits currentRowChanged when SelectedRow() differs from what it was last time.
  void FollowSelectedRow();

  ProgramState& state_;
  FileListModel* model_;
  bool gridLines_ = true;
  int dropTargetRow_ = -1;
  std::optional<std::size_t> lastSelectedRow_;
};

}  // namespace vardeno
