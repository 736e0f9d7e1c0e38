#pragma once
// A table of texts for the tool windows' views: replaced whole at each
// refresh, with rows added or removed at the end and the rest reported as
// changed, so that a view keeps its scroll position and selection.

#include <QAbstractTableModel>
#include <QStringList>
#include <vector>

namespace zqk {

class TextTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  using QAbstractTableModel::QAbstractTableModel;

  void SetHeaders(QStringList headers);
  void SetRows(std::vector<QStringList> rows);
  const std::vector<QStringList>& Rows() const { return rows_; }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  QStringList headers_;
  std::vector<QStringList> rows_;
};

}  // namespace zqk
