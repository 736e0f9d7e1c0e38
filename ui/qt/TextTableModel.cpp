#include "ui/qt/TextTableModel.h"

namespace zqk {

void TextTableModel::SetHeaders(QStringList headers) {
  if (headers == headers_) return;
  beginResetModel();
  headers_ = std::move(headers);
  endResetModel();
}

void TextTableModel::SetRows(std::vector<QStringList> rows) {
  const int before = static_cast<int>(rows_.size());
  const int after = static_cast<int>(rows.size());
  if (after > before) {
    beginInsertRows(QModelIndex(), before, after - 1);
    rows_ = std::move(rows);
    endInsertRows();
  } else if (after < before) {
    beginRemoveRows(QModelIndex(), after, before - 1);
    rows_ = std::move(rows);
    endRemoveRows();
  } else {
    rows_ = std::move(rows);
  }
  const int kept = std::min(before, after);
  if (kept > 0 && !headers_.isEmpty()) {
    emit dataChanged(index(0, 0), index(kept - 1, static_cast<int>(headers_.size()) - 1));
  }
}

int TextTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TextTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(headers_.size());
}

QVariant TextTableModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) return {};
  const QStringList& row = rows_.at(static_cast<size_t>(index.row()));
  return index.column() < row.size() ? QVariant(row.at(index.column())) : QVariant();
}

QVariant TextTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section >= headers_.size()) {
    return {};
  }
  return headers_.at(section);
}

}  // namespace zqk
