#include "ui/sheet/point_name_box.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QLineEdit>
#include <QListView>
#include <QStringListModel>

#include "ui/sheet/name_index.h"

namespace {

QStringList namesOf(const NameIndex& names, const std::vector<std::uint32_t>& indices) {
  QStringList list;
  list.reserve(static_cast<qsizetype>(indices.size()));
  for (const std::uint32_t index : indices) {
    const std::string_view name = names.name(index);
    list << QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
  }
  return list;
}

}  // namespace

CPointNameBox::CPointNameBox(QWidget* parent)
    : QComboBox(parent), m_found(new QStringListModel(this)) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  setMinimumContentsLength(12);
  setModel(new QStringListModel(this));
  if (auto* view = qobject_cast<QListView*>(this->view())) view->setUniformItemSizes(true);
  lineEdit()->setPlaceholderText(QStringLiteral("点名"));
  // The box's own completer would search the list of the box; this one lists
  // what the index finds, as it finds it.
  setCompleter(nullptr);
  m_completer = new QCompleter(m_found, this);
  m_completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
  m_completer->setWidget(lineEdit());
  connect(m_completer, qOverload<const QString&>(&QCompleter::activated), this,
          [this](const QString& name) {
            setName(name);
            emit chosen();
          });
  connect(lineEdit(), &QLineEdit::textEdited, this, &CPointNameBox::search);
  connect(this, &QComboBox::activated, this, &CPointNameBox::chosen);
  // The list of names found takes the focus while it is open: typing goes
  // on, and the name is not chosen yet.
  connect(lineEdit(), &QLineEdit::editingFinished, this, [this] {
    if (!m_completer->popup()->isVisible()) emit chosen();
  });
}

CPointNameBox::~CPointNameBox() = default;

void CPointNameBox::setNames(std::shared_ptr<const NameIndex> names) {
  if (names == m_names) return;
  const QString typed = currentText();
  m_names = std::move(names);
  const QStringList first = m_names ? namesOf(*m_names, m_names->find({}, kListed)) : QStringList();
  static_cast<QStringListModel*>(model())->setStringList(first);
  m_found->setStringList({});
  setEditText(typed);
}

QString CPointNameBox::name() const { return currentText().trimmed(); }

void CPointNameBox::setName(const QString& name) { setEditText(name); }

QStringList CPointNameBox::listed() const { return m_found->stringList(); }

void CPointNameBox::search(const QString& typed) {
  const QString wanted = typed.trimmed();
  if (!m_names || wanted.isEmpty()) {
    m_found->setStringList({});
    m_completer->popup()->hide();
    return;
  }
  m_found->setStringList(namesOf(*m_names, m_names->find(wanted.toStdString(), kListed)));
  if (m_found->rowCount() == 0) {
    m_completer->popup()->hide();
    return;
  }
  m_completer->complete();
}
