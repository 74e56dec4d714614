#pragma once

// The 线路 window's stake list as a Qt model (its curve table and main
// points are text tables, ui/common/text_table.h): the texts are written
// when a row shows, so that a list of a million stakes opens at once.

#include <QAbstractTableModel>
#include <memory>
#include <vector>

#include "ui/common/text_table.h"
#include "ui/road/road_look.h"

class CStakeModel : public QAbstractTableModel {
 public:
  explicit CStakeModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

  // Shows `stakes` (or none) with `decimals`; without `heights` (no
  // profile) the height column says nothing.
  void setStakes(std::shared_ptr<const std::vector<reading::Stake>> stakes,
                 const reading::RoadDecimals& decimals, bool heights);
  const std::shared_ptr<const std::vector<reading::Stake>>& stakes() const { return m_stakes; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  std::shared_ptr<const std::vector<reading::Stake>> m_stakes;
  reading::RoadDecimals m_decimals;
  bool m_heights = false;
};
