#include "ui/sheet/name_index.h"

#include <string.h>

#include <algorithm>
#include <string>
#include <string_view>

namespace {

// A-Z as a-z; every other byte (UTF-8 of Chinese names included) as it is.
char folded(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Where `wanted` first stands in [at, end); nullptr where it does not.
// glibc's memmem is the fastest there is; other systems have none.
const char* findIn(const char* at, const char* end, const std::string& wanted) {
#ifdef __GLIBC__
  return static_cast<const char*>(
      memmem(at, static_cast<std::size_t>(end - at), wanted.data(), wanted.size()));
#else
  const std::string_view text(at, static_cast<std::size_t>(end - at));
  const std::size_t found = text.find(wanted);
  return found == std::string_view::npos ? nullptr : at + found;
#endif
}

}  // namespace

std::string FoldedName(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), folded);
  return out;
}

NameIndex::NameIndex(const std::vector<std::string>& names) {
  m_starts.reserve(names.size());
  for (const std::string& name : names) {
    m_starts.push_back(m_names.size());
    m_names += name;
    m_names += '\n';  // no name holds a line end
  }
  m_folded = FoldedName(m_names);
}

std::string_view NameIndex::name(std::size_t index) const {
  const std::size_t start = m_starts[index];
  const std::size_t end = index + 1 < m_starts.size() ? m_starts[index + 1] : m_names.size();
  return std::string_view(m_names).substr(start, end - start - 1);
}

std::vector<std::uint32_t> NameIndex::find(std::string_view typed, std::size_t limit) const {
  std::vector<std::uint32_t> found;
  if (typed.empty()) {
    for (std::size_t i = 0; i < std::min(limit, size()); ++i)
      found.push_back(static_cast<std::uint32_t>(i));
    return found;
  }
  // The names are separated by line ends: text with one would match across two.
  if (typed.find('\n') != std::string_view::npos) return found;
  const std::string wanted = FoldedName(typed);
  const char* const begin = m_folded.data();
  const char* const end = begin + m_folded.size();
  for (const char* at = begin; found.size() < limit && at < end;) {
    const char* hit = findIn(at, end, wanted);
    if (hit == nullptr) break;
    const std::size_t offset = static_cast<std::size_t>(hit - begin);
    // The name the hit lies in, and on past its end.
    const auto next = std::upper_bound(m_starts.begin(), m_starts.end(), offset);
    found.push_back(static_cast<std::uint32_t>(next - m_starts.begin() - 1));
    at = next == m_starts.end() ? end : begin + *next;
  }
  return found;
}
