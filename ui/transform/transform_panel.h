#pragma once

// One tab of the 坐标转换 window: the job's parameter fields, the points
// typed or opened (a row a point, as corvane-calc reads them) and their
// answers beside them, computed a moment after the last key
// (typing_watch.h). 四参数 has two such pairs: the common points with their
// residuals and 参与 check boxes, then the points the parameters convert.
// A line under the fields says what keeps the job from an answer, or the
// fit's parameters and standard error.

#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "ui/transform/transform_sheet.h"

class CFitForm;
class CGridForm;
class CParameterForm;
class CTransformModel;
class CTypingWatch;
class QLabel;
class QPlainTextEdit;
class QTableView;

enum class TransformTab { kGrid, kFit, kProject, kRezone };

class CTransformPanel : public QWidget {
  Q_OBJECT

 public:
  CTransformPanel(TransformTab tab, QWidget* parent);

  TransformTab tab() const { return m_tab; }
  QString title() const;

  // The tab's jobs from its fields and points; false, with `problem`,
  // where a field does not read.
  bool makeSheet(int decimals, int angleDecimals, TransformSheet& sheet, QString& problem) const;
  // Shows the answers of a sheet made here; `problem` (a field that does
  // not read) instead where it is given.
  void showSheet(std::shared_ptr<const TransformSheet> sheet);
  void showProblem(const QString& problem);
  const std::shared_ptr<const TransformSheet>& sheet() const { return m_sheet; }

  // Ends the typing wait at once (a command reads the fields as shown).
  void flush();

  QPlainTextEdit& pointsEditor() const { return *m_points; }
  QPlainTextEdit* commonEditor() const { return m_common; }
  CTransformModel& pointsModel() const { return *m_pointsModel; }
  CTransformModel* commonModel() const { return m_commonModel; }
  QLabel& problemLine() const { return *m_problem; }

 signals:
  // Something the answers depend on changed: typed, chosen or checked.
  void changed();

 private:
  void createForms();
  QWidget* pairOf(QPlainTextEdit* editor, CTransformModel* model, const QString& name);
  void OnParticipation(int row, bool used);
  QString fitLine() const;

  TransformTab m_tab;
  CTypingWatch* m_typing;
  std::vector<CParameterForm*> m_forms;
  CFitForm* m_fitForm = nullptr;
  CGridForm* m_gridForm = nullptr;
  QLabel* m_problem;
  QPlainTextEdit* m_common = nullptr;
  QPlainTextEdit* m_points;
  CTransformModel* m_commonModel = nullptr;
  CTransformModel* m_pointsModel;
  std::vector<std::string> m_leftOut;  // the common points the user left out (LeftOutKey)
  std::shared_ptr<const TransformSheet> m_sheet;
};
