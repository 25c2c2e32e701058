#include "ui/main/FileListModel.h"

#include "ui/QtText.h"

namespace vardeno {

namespace {

// Column captions, in column order.
constexpr LangText kColumnCaptions[FileListModel::ColumnCount] = {
    {"No", "Nr"},
    {"Video File", "Plik Video"},
    {"Directory", "Katalog"},
    {"Size", "Rozmiar"},
    {"Status", "Status"},
};

Qt::Alignment ColumnAlignment(int column) {
  switch (column) {
    case FileListModel::ColSize:
      return Qt::AlignRight | Qt::AlignVCenter;
    case FileListModel::ColStatus:
      return Qt::AlignHCenter | Qt::AlignVCenter;
    default:
      return Qt::AlignLeft | Qt::AlignVCenter;
  }
}

const std::string& ColumnText(const FileListRow& row, int column) {
  switch (column) {
    case FileListModel::ColNumber:
      return row.Number;
    case FileListModel::ColName:
      return row.Name;
    case FileListModel::ColDirectory:
      return row.Directory;
    case FileListModel::ColSize:
      return row.SizeText;
    default:
      return row.Status;
  }
}

}  // namespace

FileListModel::FileListModel(FileList& list, QObject* parent) : QAbstractTableModel(parent), list_(list) {
  list_.SetListener(this);
}

FileListModel::~FileListModel() { list_.SetListener(nullptr); }

void FileListModel::SetLang(UiLanguage lang) {
  lang_ = lang;
  emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
}

int FileListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(list_.Count());
}

int FileListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : ColumnCount;
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || index.column() >= ColumnCount) return {};
  const FileListRow& row = list_.Row(static_cast<std::size_t>(index.row()));
  switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
      return ToQ(ColumnText(row, index.column()));
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(ColumnAlignment(index.column()));
    case Qt::CheckStateRole:
      if (index.column() == ColNumber) return row.Checked ? Qt::Checked : Qt::Unchecked;
      return {};
    default:
      return {};
  }
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount) return {};
  if (role == Qt::DisplayRole) return ToQ(kColumnCaptions[section](lang_));
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(ColumnAlignment(section));
  return {};
}

bool FileListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::CheckStateRole || !index.isValid() || index.column() != ColNumber ||
      index.row() >= rowCount())
    return false;
  // The list announces the change, which becomes dataChanged.
  list_.SetChecked(static_cast<std::size_t>(index.row()),
                   value.value<Qt::CheckState>() == Qt::Checked);
  return true;
}

Qt::ItemFlags FileListModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::ItemIsDropEnabled;
  Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren |
                         Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
  if (index.column() == ColNumber) result |= Qt::ItemIsUserCheckable;
  return result;
}

void FileListModel::RowsAboutToBeAppended(std::size_t first, std::size_t count) {
  beginInsertRows(QModelIndex(), static_cast<int>(first), static_cast<int>(first + count - 1));
  if (next_) next_->RowsAboutToBeAppended(first, count);
}

void FileListModel::RowsAppended(std::size_t first, std::size_t count) {
  endInsertRows();
  if (next_) next_->RowsAppended(first, count);
}

void FileListModel::AboutToReset() {
  beginResetModel();
  if (next_) next_->AboutToReset();
}

void FileListModel::Reset() {
  endResetModel();
  if (next_) next_->Reset();
}

void FileListModel::RowsChanged(std::size_t first, std::size_t last) {
  emit dataChanged(index(static_cast<int>(first), 0), index(static_cast<int>(last), ColumnCount - 1));
  if (next_) next_->RowsChanged(first, last);
}

}  // namespace vardeno
