#include "ui/main/FileListView.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QResizeEvent>
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "app/ProgramState.h"
#include "filelist/DroppedFiles.h"
#include "platform/SystemError.h"
#include "ui/main/FileListModel.h"
#include "ui/MessageBoxes.h"
#include "ui/QtText.h"

namespace vardeno {

namespace {

// A row dragged inside the list carries this format; its data names the list it came from, so a
// drag from another list (or another running copy of the program) is never taken for our own.
const QString kRowDragFormat = QStringLiteral("application/x-vardeno-file-list-row");

constexpr LangText kAccessibleName{"File list", "Lista plików"};

// No screen is this wide; a stored width beyond it came from a damaged settings file.
constexpr int kMaxColumnWidth = 8000;

// The column that follows the list's width, and how narrow the list's shrinking makes it at most.
constexpr int kDirectoryColumn = 2;
constexpr int kNarrowestGrowingColumn = 80;

QColor GridColor(const QPalette& palette) {
  const QColor base = palette.color(QPalette::Base);
  const QColor text = palette.color(QPalette::Text);
  // A light line on the list's background, in either a light or a dark colour scheme.
  return QColor::fromRgbF(base.redF() * 0.85f + text.redF() * 0.15f,
                          base.greenF() * 0.85f + text.greenF() * 0.15f,
                          base.blueF() * 0.85f + text.blueF() * 0.15f);
}

// The action a file drop is taken with: the files are only read, never moved, so a drop that
// offers nothing but moving is refused (accepting it would let the file manager delete them).
std::optional<Qt::DropAction> FileDropAction(const QDropEvent* event) {
  if (event->possibleActions() & Qt::CopyAction) return Qt::CopyAction;
  if (event->possibleActions() & Qt::LinkAction) return Qt::LinkAction;
  return std::nullopt;
}

}  // namespace

FileListView::FileListView(ProgramState& state, QWidget* parent)
    : QTreeView(parent), state_(state), model_(new FileListModel(state.Files, this)) {
  setObjectName(QStringLiteral("lv"));
  setModel(model_);
  SetLang();

  // A flat list: no tree decoration, every row the same height, so the view never measures rows
  // it does not show.
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setUniformRowHeights(true);
  setAllColumnsShowFocus(true);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setDragEnabled(true);
  setAcceptDrops(true);
  viewport()->setAcceptDrops(true);
  setDropIndicatorShown(false);
  setDragDropMode(QAbstractItemView::DragDrop);
  setContextMenuPolicy(Qt::CustomContextMenu);

  QHeaderView* columns = header();
  columns->setSectionsClickable(false);
  columns->setSectionsMovable(false);
  columns->setStretchLastSection(false);
  columns->setSectionResizeMode(QHeaderView::Interactive);
  SetColumnWidths({56, 260, 285, 80, 90});

  // A reset (rows removed) clears the selection without a selection signal.
  connect(model_, &QAbstractItemModel::modelReset, this, [this] {
    viewport()->update();
    FollowSelectedRow();
  });
  // Files added to an empty list: the first becomes the current, selected row and the list takes
  // the keyboard focus, so F10, Del, Space and the arrow keys act on it at once.
  connect(model_, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex&, int first, int last) {
    if (first != 0 || model_->rowCount() != last + 1) return;
    selectionModel()->setCurrentIndex(model_->index(0, 0),
                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    setFocus(Qt::OtherFocusReason);
  });
}

// The directory column takes the width the list gains or gives up; the others keep theirs. At the
// first layout it takes the room that the columns leave free at the right.
void FileListView::resizeEvent(QResizeEvent* event) {
  QTreeView::resizeEvent(event);
  const int directory = header()->sectionSize(kDirectoryColumn);
  int wanted = directory;
  if (event->oldSize().isValid()) {
    wanted += event->size().width() - event->oldSize().width();
  } else {
    int columns = 0;
    for (int i = 0; i < kColumnCount; ++i) columns += header()->sectionSize(i);
    wanted += std::max(0, viewport()->width() - columns);
  }
  wanted = std::max(wanted, std::min(directory, kNarrowestGrowingColumn));
  if (wanted != directory) header()->resizeSection(kDirectoryColumn, wanted);
}

void FileListView::SetLang() {
  model_->SetLang(state_.CurrentLanguage);
  // No label names the list, so screen readers get the name its menu carries.
  setAccessibleName(ToQ(kAccessibleName(state_.CurrentLanguage)));
}

void FileListView::SetGridLines(bool on) {
  if (gridLines_ == on) return;
  gridLines_ = on;
  viewport()->update();
}

std::array<int, FileListView::kColumnCount> FileListView::ColumnWidths() const {
  std::array<int, kColumnCount> widths{};
  for (int i = 0; i < kColumnCount; ++i) widths[static_cast<std::size_t>(i)] = header()->sectionSize(i);
  return widths;
}

void FileListView::SetColumnWidths(const std::array<int, kColumnCount>& widths) {
  const int narrowest = header()->minimumSectionSize();
  for (int i = 0; i < kColumnCount; ++i)
    header()->resizeSection(i, std::clamp(widths[static_cast<std::size_t>(i)], narrowest, kMaxColumnWidth));
}

std::optional<std::size_t> FileListView::SelectedRow() const {
  // The selection's ranges, not its rows: asking for every selected row would build one index per
  // row when the whole list is selected.
  int first = -1;
  for (const QItemSelectionRange& range : selectionModel()->selection()) {
    if (range.isValid() && (first < 0 || range.top() < first)) first = range.top();
  }
  if (first < 0) return std::nullopt;
  return static_cast<std::size_t>(first);
}

std::size_t FileListView::DropFiles(const QList<QUrl>& urls) {
  if (state_.Run.Running) return 0;
  std::vector<std::string> names;
  names.reserve(static_cast<std::size_t>(urls.size()));
  for (const QUrl& url : urls) {
    if (url.isLocalFile()) names.push_back(ToStdPath(url.toLocalFile()));
  }
  if (names.empty()) return 0;

  const std::size_t countBefore = state_.Files.Count();
  try {
    HandleDroppedFiles(state_.Files, std::move(names), state_.CurrentLanguage);
  } catch (const SystemError& error) {
    // The rows added before the failure stay, so the list has changed all the same.
    ShowSystemErrorBox(this, error.what());
  }
  emit listChanged();
  return state_.Files.Count() - countBefore;
}

QByteArray FileListView::RowDragToken() const {
  return QByteArray::number(QCoreApplication::applicationPid()) + ':' +
         QByteArray::number(reinterpret_cast<quintptr>(this));
}

QMimeData* FileListView::CreateRowDragData() const {
  auto* data = new QMimeData;
  data->setData(kRowDragFormat, RowDragToken());
  return data;
}

bool FileListView::IsOwnRowDrag(const QMimeData* data) const {
  return data && data->hasFormat(kRowDragFormat) && data->data(kRowDragFormat) == RowDragToken();
}

void FileListView::startDrag(Qt::DropActions /*supportedActions*/) {
  const std::optional<std::size_t> row = SelectedRow();
  if (!row) return;
  // Our own drag, not the base class's: that one would serialize every selected cell and, after
  // a move, remove the dragged rows from the model.
  auto* drag = new QDrag(this);
  drag->setMimeData(CreateRowDragData());
  const QRect rowRect = visualRect(model_->index(static_cast<int>(*row), 0))
                            .united(visualRect(model_->index(static_cast<int>(*row), FileListModel::ColumnCount - 1)));
  if (rowRect.isValid() && viewport()->rect().intersects(rowRect)) {
    const QRect shown = rowRect.intersected(viewport()->rect());
    drag->setPixmap(viewport()->grab(shown));
    // The row picture stays where the pointer took hold of it.
    const QPoint held = viewport()->mapFromGlobal(QCursor::pos()) - shown.topLeft();
    drag->setHotSpot(QPoint(std::clamp(held.x(), 0, shown.width() - 1), std::clamp(held.y(), 0, shown.height() - 1)));
  }
  drag->exec(Qt::MoveAction, Qt::MoveAction);
}

void FileListView::dragEnterEvent(QDragEnterEvent* event) {
  if (IsOwnRowDrag(event->mimeData())) {
    event->setDropAction(Qt::MoveAction);
    event->accept();
    setState(DraggingState);
  } else if (event->mimeData()->hasUrls() && FileDropAction(event)) {
    event->setDropAction(*FileDropAction(event));
    event->accept();
  } else {
    event->ignore();
  }
}

void FileListView::dragMoveEvent(QDragMoveEvent* event) {
  if (IsOwnRowDrag(event->mimeData())) {
    event->setDropAction(Qt::MoveAction);
    event->accept();
    const QPoint pos = event->position().toPoint();
    SetDropTarget(indexAt(pos).row());
    const int margin = autoScrollMargin();
    if (pos.y() < margin || pos.y() > viewport()->height() - margin) startAutoScroll();
  } else if (event->mimeData()->hasUrls() && FileDropAction(event)) {
    event->setDropAction(*FileDropAction(event));
    event->accept();
  } else {
    event->ignore();
  }
}

void FileListView::dragLeaveEvent(QDragLeaveEvent* event) {
  SetDropTarget(-1);
  stopAutoScroll();
  setState(NoState);
  event->accept();
}

void FileListView::dropEvent(QDropEvent* event) {
  SetDropTarget(-1);
  stopAutoScroll();
  setState(NoState);
  const QMimeData* data = event->mimeData();
  if (IsOwnRowDrag(data)) {
    event->setDropAction(Qt::MoveAction);
    event->accept();
    const QModelIndex target = indexAt(event->position().toPoint());
    const std::optional<std::size_t> source = SelectedRow();
    if (!target.isValid() || !source || static_cast<int>(*source) == target.row()) return;
    // Texts change places; check marks, numbers and the highlighted row stay where they are.
    state_.Files.ReplaceLvItems(static_cast<int>(*source), target.row());
    emit listChanged();
    emit currentRowChanged();
    return;
  }
  const std::optional<Qt::DropAction> action = FileDropAction(event);
  if (!data->hasUrls() || !action) {
    event->ignore();
    return;
  }
  event->setDropAction(*action);
  event->accept();
  // The files are added after the drop has returned, so the file manager is released at once and
  // a message box about a list file cannot hold the drop open.
  const QList<QUrl> urls = data->urls();
  QMetaObject::invokeMethod(this, [this, urls] { DropFiles(urls); }, Qt::QueuedConnection);
}

void FileListView::mouseReleaseEvent(QMouseEvent* event) {
  QTreeView::mouseReleaseEvent(event);  // a click on a check box sets the mark here
  emit selectionOrChecksChanged();
}

void FileListView::keyPressEvent(QKeyEvent* event) {
  // The space bar sets or clears the mark of the focused row, whichever column has the focus.
  if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier && currentIndex().isValid()) {
    const auto row = static_cast<std::size_t>(currentIndex().row());
    state_.Files.SetChecked(row, !state_.Files.Row(row).Checked);
    event->accept();
    emit selectionOrChecksChanged();
    return;
  }
  QTreeView::keyPressEvent(event);
}

void FileListView::keyReleaseEvent(QKeyEvent* event) {
  QTreeView::keyReleaseEvent(event);
  emit selectionOrChecksChanged();
}

void FileListView::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
  QTreeView::selectionChanged(selected, deselected);
  emit selectionOrChecksChanged();
  FollowSelectedRow();
}

void FileListView::FollowSelectedRow() {
  const std::optional<std::size_t> row = SelectedRow();
  if (row == lastSelectedRow_) return;
  lastSelectedRow_ = row;
  emit currentRowChanged();
}

void FileListView::SetDropTarget(int row) {
  if (row == dropTargetRow_) return;
  dropTargetRow_ = row;
  viewport()->update();
}

void FileListView::drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QTreeView::drawRow(painter, option, index);
  const QRect rect = option.rect;
  int right = rect.left();
  if (gridLines_) {
    painter->save();
    painter->setPen(GridColor(palette()));
    for (int column = 0; column < header()->count(); ++column) {
      const int x = header()->sectionViewportPosition(column) + header()->sectionSize(column) - 1;
      painter->drawLine(x, rect.top(), x, rect.bottom());
      right = std::max(right, x);
    }
    painter->drawLine(rect.left(), rect.bottom(), right, rect.bottom());
    painter->restore();
  }
  if (index.row() == dropTargetRow_) {
    // The row a dragged row would exchange its texts with.
    painter->save();
    painter->setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter->setBrush(Qt::NoBrush);
    const int width = header()->length() - header()->offset();
    painter->drawRect(QRect(rect.left(), rect.top(), std::max(width, 1), rect.height()).adjusted(1, 1, -1, -1));
    painter->restore();
  }
}

}  // namespace vardeno
