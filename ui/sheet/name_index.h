#pragma once

// The point names a station or backsight is picked from, searched as the
// user types: every name that holds the typed text, in any case of its
// Latin letters, in file order. The names are kept in one block of text, so
// that a search among a million names is one pass of memmem over some ten
// megabytes: a few milliseconds, well within a key press.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// `text` with its Latin capitals as small letters and every other byte (the
// UTF-8 of Chinese names included) as it is: names match typed text in this
// form.
std::string FoldedName(std::string_view text);

class NameIndex {
 public:
  NameIndex() = default;
  explicit NameIndex(const std::vector<std::string>& names);

  std::size_t size() const { return m_starts.size(); }
  std::string_view name(std::size_t index) const;

  // The indices of the first `limit` names that hold `typed` (all names
  // where it is empty), in file order.
  std::vector<std::uint32_t> find(std::string_view typed, std::size_t limit) const;

 private:
  std::string m_names;   // each name and a "\n"
  std::string m_folded;  // the same, Latin capitals as small letters
  std::vector<std::size_t> m_starts;
};
