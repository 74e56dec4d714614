#include "ui/road/road_models.h"

#include "ui/common/window_look.h"

void CStakeModel::setStakes(std::shared_ptr<const std::vector<reading::Stake>> stakes,
                            const reading::RoadDecimals& decimals, bool heights) {
  beginResetModel();
  m_stakes = std::move(stakes);
  m_decimals = decimals;
  m_heights = heights;
  endResetModel();
}

int CStakeModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() || !m_stakes ? 0 : static_cast<int>(m_stakes->size());
}

int CStakeModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(reading::kStakeFieldCount);
}

QVariant CStakeModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || !m_stakes) return {};
  const reading::Stake& stake = (*m_stakes)[index.row()];
  const auto field = static_cast<reading::StakeField>(index.column());
  // A stake beyond the profile has no design height: said in red.
  const bool noHeight = m_heights && field == reading::StakeField::kHeight && !stake.height;
  switch (role) {
    case Qt::DisplayRole:
      return noHeight ? QStringLiteral("无") : StakeText(stake, field, m_decimals);
    case Qt::ForegroundRole:
      return noHeight ? QVariant(ErrorColour()) : QVariant();
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(field == reading::StakeField::kName
                                     ? Qt::AlignLeft | Qt::AlignVCenter
                                     : Qt::AlignRight | Qt::AlignVCenter);
    default:
      return {};
  }
}

QVariant CStakeModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Horizontal) return StakeTitles().value(section);
  return section + 1;
}
