#pragma once

// What a 坐标转换 tab computes and prints, as data: the job's title, the
// points' job and, for four parameters found from common points, the fit's
// job first, whose parameters the points then take; and their answers.
// Made on the interface thread, answered off it (AnswerSheet), then shown,
// printed and exported as it is.

#include <QString>
#include <atomic>
#include <memory>
#include <optional>

#include "ui/transform/transform_task.h"

struct TransformSheet {
  QString title;                         // 施工坐标, 四参数, 高斯投影, 换带
  TransformTask points;                  // the points' job
  std::optional<TransformTask> fit;      // 四参数 from common points: their job
  std::shared_ptr<const TransformAnswer> fitAnswer;
  std::shared_ptr<const TransformAnswer> pointsAnswer;

  // Why the points' answer is nothing a 放样表 takes (latitudes and
  // longitudes, construction-grid A and B); "" where it is.
  QString notForSheet() const;
};

// Answers the fit (where there is one), then the points with its
// parameters; a fit that cannot be made leaves the points unanswered.
void AnswerSheet(TransformSheet& sheet, const std::atomic<bool>* stop = nullptr,
                 const TransformProgress& progress = {});
