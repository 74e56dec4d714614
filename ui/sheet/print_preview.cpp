#include "ui/sheet/print_preview.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QVBoxLayout>

#include "ui/sheet/setout_sheet.h"
#include "ui/sheet/sheet_look.h"

namespace {

constexpr int kDesk = 16;  // grey around the paper, in pixels

QPointF marginOffset(const QPageLayout& page) {
  return page.paintRectPixels(96).topLeft() - page.fullRectPixels(96).topLeft();
}

}  // namespace

CPageView::CPageView(std::shared_ptr<const SetoutSheet> sheet,
                     std::shared_ptr<const SheetPrinter::Layout> layout, const QString& date,
                     const SheetChoices& choices, QWidget* parent)
    : QWidget(parent),
      m_sheet(std::move(sheet)),
      m_layout(std::move(layout)),
      m_printer(*m_sheet, date, choices) {
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

// The sheet's paper, margins included, in 96-dpi pixels.
QSizeF CPageView::paperSize() const { return m_printer.pageLayout().fullRectPixels(96).size(); }

void CPageView::setPage(int index) {
  if (index == m_page) return;
  m_page = index;
  update();
}

// The paper, as large as fits with the desk around it.
QRect CPageView::paperRect() const {
  const QSizeF paper = paperSize();
  const QSizeF room(std::max(1, width() - 2 * kDesk), std::max(1, height() - 2 * kDesk));
  const QSize size = paper.scaled(room, Qt::KeepAspectRatio).toSize();
  return QRect(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
}

// The page drawn at `size` (device pixels), drawn again only for another
// page or size.
const QImage& CPageView::pageImage(const QSize& size) {
  if (m_imagePage == m_page && m_image.size() == size) return m_image;
  m_image = QImage(size, QImage::Format_RGB32);
  m_image.fill(Qt::white);
  QPainter painter(&m_image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  const double scale = size.width() / paperSize().width();
  painter.scale(scale, scale);
  painter.translate(marginOffset(m_printer.pageLayout()));
  m_printer.paintPage(painter, *m_layout, static_cast<std::size_t>(m_page));
  m_imagePage = m_page;
  return m_image;
}

void CPageView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Dark));
  const QRect paper = paperRect();
  painter.fillRect(paper.translated(3, 3), palette().color(QPalette::Shadow));
  const qreal ratio = devicePixelRatioF();
  QImage image = pageImage((QSizeF(paper.size()) * ratio).toSize());
  image.setDevicePixelRatio(ratio);
  painter.drawImage(paper.topLeft(), image);
}

CPrintPreview::CPrintPreview(std::shared_ptr<const SetoutSheet> sheet,
                             std::shared_ptr<const SheetPrinter::Layout> layout,
                             const QString& date, const SheetChoices& choices, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(QStringLiteral("打印预览 - 放样表 %1").arg(sheet->source));
  const int pages = static_cast<int>(layout->pages.size());
  m_view = new CPageView(std::move(sheet), std::move(layout), date, choices, this);
  auto* previous = new QPushButton(style()->standardIcon(QStyle::SP_ArrowLeft),
                                   QStringLiteral("上一页(&U)"), this);
  auto* next = new QPushButton(style()->standardIcon(QStyle::SP_ArrowRight),
                               QStringLiteral("下一页(&N)"), this);
  m_number = new QSpinBox(this);
  m_number->setRange(1, pages);
  m_number->setKeyboardTracking(false);
  auto* numberLabel = new QLabel(QStringLiteral("第(&G)"), this);
  numberLabel->setBuddy(m_number);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* print =
      buttons->addButton(QStringLiteral("打印(&P)..."), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("关闭"), QDialogButtonBox::RejectRole);
  print->setDefault(true);

  auto* bar = m_bar = new QHBoxLayout;
  bar->addWidget(previous);
  bar->addWidget(numberLabel);
  bar->addWidget(m_number);
  bar->addWidget(new QLabel(QStringLiteral("页，共 %1 页").arg(pages), this));
  bar->addWidget(next);
  bar->addStretch(1);
  bar->addWidget(buttons);
  auto* layoutBox = new QVBoxLayout(this);
  layoutBox->addLayout(bar);
  layoutBox->addWidget(m_view, 1);

  connect(previous, &QPushButton::clicked, this, [this] { showPage(page() - 1); });
  connect(next, &QPushButton::clicked, this, [this] { showPage(page() + 1); });
  connect(m_number, &QSpinBox::valueChanged, this, [this](int number) { showPage(number - 1); });
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

int CPrintPreview::page() const { return m_view->page(); }

void CPrintPreview::offerToLeaveOut(const QString& text, bool leftOut) {
  auto* leave = new QCheckBox(text, this);
  leave->setChecked(leftOut);
  m_bar->insertWidget(m_bar->count() - 1, leave);
  connect(leave, &QCheckBox::toggled, this, [this] { done(kLayOutAgain); });
}

int CPrintPreview::pageCount() const { return m_number->maximum(); }

void CPrintPreview::showPage(int index) {
  index = std::clamp(index, 0, pageCount() - 1);
  m_view->setPage(index);
  const QSignalBlocker quiet(m_number);
  m_number->setValue(index + 1);
}

void CPrintPreview::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_PageUp:
      showPage(page() - 1);
      return;
    case Qt::Key_PageDown:
      showPage(page() + 1);
      return;
    case Qt::Key_Home:
      showPage(0);
      return;
    case Qt::Key_End:
      showPage(pageCount() - 1);
      return;
    default:
      QDialog::keyPressEvent(event);
  }
}
