#pragma once

// A station setup on sightings as the printed sheet gives it, on its first
// page under the heading (which names the setup's station and orientation
// on every page): a line that says how the residuals are taken, and a
// table of the sightings, each with its reading, its distance and its
// residuals, those over the limits marked "*" (and red).

#include <QFont>
#include <QRectF>

class QPainter;
struct SetoutSheet;

class SetupBlock {
 public:
  SetupBlock(const SetoutSheet& sheet, const QFont& font, const QFont& bold);

  // The block's height, in the painter's units (0 where the sheet has no
  // setup on sightings).
  double height() const;

  // Paints the block at the top of `area`.
  void paint(QPainter& painter, const QRectF& area) const;

 private:
  const SetoutSheet& m_sheet;
  QFont m_font;
  QFont m_bold;
};
