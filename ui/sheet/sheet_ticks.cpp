#include "ui/sheet/sheet_ticks.h"

#include <string_view>
#include <unordered_map>

#include "ui/sheet/sheet_rows.h"

std::vector<SheetTicks::Tick> SheetTicks::kept() const {
  std::vector<Tick> ticks;
  ticks.reserve(m_kept.size());
  for (const auto& [line, name] : m_kept) ticks.push_back({line, name});
  return ticks;
}

void SheetTicks::setKept(const std::vector<Tick>& ticks) {
  m_kept.clear();
  for (const Tick& tick : ticks) m_kept[tick.line] = tick.name;
  m_rows.clear();
  m_count = 0;
  ++m_version;
}

void SheetTicks::match(const SheetRows& rows) {
  m_rows.assign(rows.size(), false);
  m_count = 0;
  if (m_kept.empty()) return;
  // The ticks whose line holds no row of their name.
  std::vector<std::uint32_t> lost;
  auto tick = m_kept.begin();
  for (std::size_t row = 0; row < rows.size(); ++row) {
    const std::uint32_t line = rows.line(row);
    for (; tick != m_kept.end() && tick->first < line; ++tick) lost.push_back(tick->first);
    if (tick == m_kept.end() || tick->first != line) continue;
    if (rows.field(row, SheetRows::kName) == tick->second) {
      m_rows[row] = true;
      ++m_count;
    } else {
      lost.push_back(line);
    }
    ++tick;
  }
  for (; tick != m_kept.end(); ++tick) lost.push_back(tick->first);

  // Each lost tick with a name looks for the one row of that name.
  struct Wanted {
    std::uint32_t tickLine;
    std::size_t rows = 0;  // of its name
    std::size_t row = 0;   // the last of them
  };
  std::unordered_map<std::string_view, Wanted> wanted;
  for (const std::uint32_t line : lost) {
    const std::string& name = m_kept[line];
    if (!name.empty()) wanted.emplace(name, Wanted{line});
  }
  if (wanted.empty()) return;
  for (std::size_t row = 0; row < rows.size(); ++row) {
    const auto found = wanted.find(rows.field(row, SheetRows::kName));
    if (found == wanted.end()) continue;
    ++found->second.rows;
    found->second.row = row;
  }
  std::vector<std::pair<std::uint32_t, std::size_t>> moves;  // tick line, row
  for (const auto& [name, found] : wanted)
    if (found.rows == 1 && !m_rows[found.row]) moves.emplace_back(found.tickLine, found.row);
  // All taken out before any is put back: one may move to another's line.
  std::vector<std::pair<std::uint32_t, std::string>> moved;
  for (const auto& [line, row] : moves) moved.emplace_back(rows.line(row), m_kept[line]);
  for (const auto& move : moves) m_kept.erase(move.first);
  for (std::size_t i = 0; i < moves.size(); ++i) {
    m_kept.insert_or_assign(moved[i].first, std::move(moved[i].second));
    m_rows[moves[i].second] = true;
    ++m_count;
  }
  if (!moves.empty()) ++m_version;
}

void SheetTicks::set(const SheetRows& rows, std::size_t row, bool ticked) {
  if (row >= m_rows.size() || m_rows[row] == ticked) return;
  m_rows[row] = ticked;
  const std::uint32_t line = rows.line(row);
  if (ticked) {
    m_kept[line] = std::string(rows.field(row, SheetRows::kName));
    ++m_count;
  } else {
    m_kept.erase(line);
    --m_count;
  }
  ++m_version;
}
