#pragma once

// What a restless user might type or do next, drawn from a seeded generator
// so that a run can be repeated exactly: numbers in every spelling the
// fields read, near-numbers, words, blanks, text longer than the 35
// characters that count, and text outside ASCII (Chinese, full-width digits,
// Latin-1 signs, characters beyond the 16-bit range).

#include <QString>
#include <cstdint>
#include <random>

class RandomInput {
 public:
  explicit RandomInput(std::uint64_t seed) : m_engine(seed) {}

  // A whole number in [low, high].
  int number(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_engine); }
  bool chance(double p) { return std::bernoulli_distribution(p)(m_engine); }
  template <class Distribution>
  auto draw(Distribution& distribution) {
    return distribution(m_engine);
  }
  template <class Container>
  const auto& oneOf(const Container& items) {
    return items[static_cast<std::size_t>(number(0, static_cast<int>(std::size(items)) - 1))];
  }

  // Text for a field, of one of several kinds.
  QString fieldText();

 private:
  QString digits(int low, int high);
  QString numberLike();
  QString blanks(int low, int high);
  QString mixture(int length);
  QString longText();

  std::mt19937_64 m_engine;
};
