#include "controls/qt/grid_model.h"

#include <algorithm>
#include <utility>

namespace controls {
namespace {
constexpr Qt::Alignment kDefaultHeaderAlignment = Qt::AlignCenter;
constexpr Qt::Alignment kDefaultDataAlignment = Qt::AlignLeft | Qt::AlignVCenter;
}  // namespace

int GridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int GridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(titles_.size());
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  switch (role) {
    case Qt::DisplayRole:
      return ShownText(index.row(), index.column());
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(dataAlignment_[index.column()]);
    default:
      return {};
  }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= titles_.size()) {
    return QAbstractTableModel::headerData(section, orientation, role);
  }
  switch (role) {
    case Qt::DisplayRole:
      return titles_[section];  // a valid empty text, so an untitled column shows nothing
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(headerAlignment_[section]);
    default:
      return {};
  }
}

void GridModel::SetColumnCount(int count) {
  const int current = columnCount();
  if (count > current) {
    beginInsertColumns(QModelIndex(), current, count - 1);
    for (int c = current; c < count; ++c) {
      titles_.append(QString());
      headerAlignment_.append(kDefaultHeaderAlignment);
      dataAlignment_.append(kDefaultDataAlignment);
    }
    endInsertColumns();
  } else if (count < current) {
    beginRemoveColumns(QModelIndex(), count, current - 1);
    titles_.resize(count);
    headerAlignment_.resize(count);
    dataAlignment_.resize(count);
    // Cells beyond the last column go, so a later widening shows empty cells there.
    for (QStringList& row : rows_) {
      if (row.size() > count) row.resize(count);
    }
    endRemoveColumns();
  }
}

void GridModel::SetTitle(int col, const QString& title) {
  titles_[col] = title;
  emit headerDataChanged(Qt::Horizontal, col, col);
}

void GridModel::SetDataRowCount(int count) {
  const int current = rowCount();
  if (count > current) {
    beginInsertRows(QModelIndex(), current, count - 1);
    rows_.resize(static_cast<std::size_t>(count));
    endInsertRows();
  } else if (count < current) {
    beginRemoveRows(QModelIndex(), count, current - 1);
    rows_.resize(static_cast<std::size_t>(count));
    endRemoveRows();
  }
}

void GridModel::InsertRow(int at, QStringList cells) {
  // A list of settings repeats the application and the section row after row: a cell
  // equal to the one above it shares that cell's text instead of holding a copy.
  if (at > 0) {
    const QStringList& above = rows_[static_cast<std::size_t>(at - 1)];
    for (qsizetype c = 0, n = std::min(cells.size(), above.size()); c < n; ++c) {
      if (cells[c] == above[c]) cells[c] = above[c];
    }
  }
  beginInsertRows(QModelIndex(), at, at);
  rows_.insert(rows_.begin() + at, std::move(cells));
  endInsertRows();
}

void GridModel::SetCell(int row, int col, const QString& text) {
  QStringList& cells = rows_[static_cast<std::size_t>(row)];
  if (cells.size() <= col) cells.resize(col + 1);
  cells[col] = text;
  const QModelIndex changed = index(row, col);
  emit dataChanged(changed, changed, {Qt::DisplayRole});
}

QString GridModel::Cell(int row, int col) const {
  const QStringList& cells = rows_[static_cast<std::size_t>(row)];
  return col < cells.size() ? cells[col] : QString();
}

QString GridModel::ShownText(int row, int col) const {
  const QString text = Cell(row, col);
  if (text.size() <= kLongestShownText) return text;
  // Never between the two halves of a surrogate pair. Only the part shown is copied: a
  // truncate would copy the whole shared text first, on every paint of the cell.
  const int cut = text[kLongestShownText - 1].isHighSurrogate() ? kLongestShownText - 1
                                                                 : kLongestShownText;
  return text.left(cut) + QChar(0x2026);
}

void GridModel::SetHeaderAlignment(int col, Qt::Alignment alignment) {
  headerAlignment_[col] = alignment;
  emit headerDataChanged(Qt::Horizontal, col, col);
}

void GridModel::SetDataAlignment(int col, Qt::Alignment alignment) {
  dataAlignment_[col] = alignment;
  if (!rows_.empty()) emit dataChanged(index(0, col), index(rowCount() - 1, col));
}

}  // namespace controls
