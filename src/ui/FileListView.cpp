#include "ui/FileListView.h"

#include <QAbstractTableModel>
#include <QHeaderView>

#include "app/ProgramState.h"
#include "ui/QtText.h"

class FileListStandInModel : public QAbstractTableModel, public FileListListener {
 public:
  explicit FileListStandInModel(FileList& list, QObject* parent) : QAbstractTableModel(parent), list_(list) {
    list_.SetListener(this);
  }
  ~FileListStandInModel() override { list_.SetListener(nullptr); }
  int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : int(list_.Count()); }
  int columnCount(const QModelIndex&) const override { return 5; }
  QVariant data(const QModelIndex& index, int role) const override {
    const FileListRow& row = list_.Row(index.row());
    if (role == Qt::CheckStateRole && index.column() == 0) return row.Checked ? Qt::Checked : Qt::Unchecked;
    if (role != Qt::DisplayRole) return {};
    switch (index.column()) {
      case 0: return ToQ(row.Number);
      case 1: return ToQ(row.Name);
      case 2: return ToQ(row.Directory);
      case 3: return ToQ(row.SizeText);
      default: return ToQ(row.Status);
    }
  }
  QVariant headerData(int section, Qt::Orientation o, int role) const override {
    static const char* names[] = {"No", "Video File", "Directory", "Size", "Status"};
    if (o == Qt::Horizontal && role == Qt::DisplayRole) return QString::fromLatin1(names[section]);
    return {};
  }
  void AboutToReset() override { beginResetModel(); }
  void Reset() override { endResetModel(); }
  void RowsAboutToBeAppended(std::size_t first, std::size_t count) override {
    beginInsertRows({}, int(first), int(first + count - 1));
  }
  void RowsAppended(std::size_t, std::size_t) override { endInsertRows(); }
  void RowsChanged(std::size_t first, std::size_t last) override {
    emit dataChanged(index(int(first), 0), index(int(last), 4));
  }

 private:
  FileList& list_;
};

FileListView::FileListView(ProgramState& state, QWidget* parent)
    : QTreeView(parent), state_(state), model_(new FileListStandInModel(state.Files, this)) {
  setObjectName(QStringLiteral("lv"));
  setModel(model_);
  setRootIsDecorated(false);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  connect(model_, &QAbstractItemModel::rowsInserted, this, &FileListView::listChanged);
  connect(model_, &QAbstractItemModel::modelReset, this, &FileListView::listChanged);
  connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &FileListView::selectionOrChecksChanged);
  connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, &FileListView::currentRowChanged);
}

FileListView::~FileListView() = default;

std::optional<std::size_t> FileListView::SelectedRow() const {
  const auto rows = selectionModel()->selectedRows();
  if (rows.isEmpty()) return std::nullopt;
  int first = rows.first().row();
  for (const auto& r : rows) first = std::min(first, r.row());
  return std::size_t(first);
}

std::array<int, 5> FileListView::ColumnWidths() const {
  std::array<int, 5> w{};
  for (int i = 0; i < 5; ++i) w[i] = columnWidth(i);
  return w;
}

void FileListView::SetColumnWidths(const std::array<int, 5>& widths) {
  for (int i = 0; i < 5; ++i) setColumnWidth(i, widths[i]);
}

void FileListView::SetLang() {}
