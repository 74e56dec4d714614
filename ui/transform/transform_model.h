#pragma once

// A job's answer (transform_task.h) as a Qt table: a row a point with the
// texts corvane-calc writes, under Chinese titles; a row that has no
// answer says why in red. The common points of a fit show their residual's
// length too, red where it is over the limit, and a 参与 check box: a
// point left out is unchecked and grey, and keeps its residual.

#include <QAbstractTableModel>
#include <memory>

#include "ui/transform/transform_task.h"

// The column titles of an answer as its table shows them; with `fit` the
// residual's length and 参与 follow.
QStringList AnswerTitles(const TransformAnswer& answer, bool fit);
// The text of a cell: the answer's own, an error row's "第 N 行" and its
// problem, a fit's residual length; 参与 reads "参与" or "未参与", with
// "超限" after it where the residual is over the limit (the printed sheet's
// words; the window shows a check box there).
QString AnswerCellText(const TransformAnswer& answer, bool fit, std::size_t row, int column);

class CTransformModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit CTransformModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

  // Shows `answer` (or nothing); `fit`: with the residual's length and 参与.
  void setAnswer(std::shared_ptr<const TransformAnswer> answer, bool fit);
  const std::shared_ptr<const TransformAnswer>& answer() const { return m_answer; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

  // The text of a cell as the table shows it.
  QString text(int row, int column) const;

 signals:
  // The user checked or unchecked a common point's 参与 (`row` of the table).
  void participationChanged(int row, bool used);

 private:
  int useColumn() const;

  std::shared_ptr<const TransformAnswer> m_answer;
  bool m_fit = false;
};
