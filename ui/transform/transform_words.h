#pragma once

// The 坐标转换 window's words for what keeps a point or a job from an
// answer, in Chinese, naming what the user typed: one place for them all,
// so that the table, the status line and the printed sheet say the same.

#include <cstddef>
#include <string>
#include <string_view>

#include "core/transform/transform_error.h"

// Why a transformation gives no answer: "纬度超出 ±90°：95.000000°".
std::string TransformProblemWords(const survey::TransformError& error);
