// The lines of a setting-out file of 100,000 points through TextLines, read
// as corvane-calc reads them (40 KiB at a time, straight into the text), by
// encoding and line end: points named in ASCII (K1), the same named in
// Chinese (控制点1, code 中线) in UTF-8 and in GBK, and with CRLF and lone-CR
// line ends. The GBK file must cost at most 1.3 times the same in UTF-8.
// Run several interleaved repetitions and compare medians:
//   text_lines_bench --benchmark_repetitions=9 --benchmark_enable_random_interleaving=true
//     --benchmark_report_aggregates_only=true

#include <benchmark/benchmark.h>
#include <iconv.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "reader/text/text_lines.h"

namespace {

constexpr int kPoints = 100000;
constexpr std::size_t kRead = 40 * 1024;

// Rows as field software exports them: NAME,CODE,Y,X,H.
std::string Rows(bool chinese, const char* lineEnd) {
  std::string rows;
  char numbers[64];
  unsigned seed = 20240601;
  for (int i = 1; i <= kPoints; ++i) {
    seed = seed * 1103515245 + 12345;
    std::snprintf(numbers, sizeof numbers, ",%.3f,%.3f,%.3f", 499000 + seed % 2000000 / 1000.0,
                  3349000 + seed % 1999993 / 1000.0, 20 + seed % 10007 / 1000.0);
    rows += chinese ? "控制点" + std::to_string(i) + ",中线" : "K" + std::to_string(i) + ",";
    rows += numbers;
    rows += lineEnd;
  }
  return rows;
}

std::string InGbk(const std::string& utf8) {
  const iconv_t convert = iconv_open("GB18030", "UTF-8");
  std::string gbk(utf8.size(), '\0');
  char* in = const_cast<char*>(utf8.data());
  std::size_t inLeft = utf8.size();
  char* out = gbk.data();
  std::size_t outLeft = gbk.size();
  if (convert == reinterpret_cast<iconv_t>(-1) ||
      iconv(convert, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1)) {
    std::fprintf(stderr, "no GB18030 from iconv\n");
    std::exit(1);
  }
  gbk.resize(gbk.size() - outLeft);
  iconv_close(convert);
  return gbk;
}

void ReadLines(benchmark::State& state, const std::string& input) {
  std::string piece;
  std::size_t lines = 0;
  for (auto _ : state) {
    reading::TextLines text;
    for (std::size_t at = 0; at < input.size(); at += kRead) {
      const std::size_t count = std::min(kRead, input.size() - at);
      input.copy(text.Space(count), count, at);
      text.Added(count);
      while (text.Take(piece)) lines += piece.size();
    }
    text.End();
    while (text.Take(piece)) lines += piece.size();
    benchmark::DoNotOptimize(lines);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
  state.counters["ns/line"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * kPoints,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

const std::string kAscii = Rows(false, "\n");
const std::string kAsciiCrlf = Rows(false, "\r\n");
const std::string kAsciiCr = Rows(false, "\r");
const std::string kUtf8 = Rows(true, "\n");
const std::string kUtf8Crlf = Rows(true, "\r\n");
const std::string kGbk = InGbk(kUtf8);
const std::string kGbkCrlf = InGbk(kUtf8Crlf);

BENCHMARK_CAPTURE(ReadLines, ascii_lf, kAscii);
BENCHMARK_CAPTURE(ReadLines, ascii_crlf, kAsciiCrlf);
BENCHMARK_CAPTURE(ReadLines, ascii_cr, kAsciiCr);
BENCHMARK_CAPTURE(ReadLines, chinese_utf8_lf, kUtf8);
BENCHMARK_CAPTURE(ReadLines, chinese_gbk_lf, kGbk);
BENCHMARK_CAPTURE(ReadLines, chinese_utf8_crlf, kUtf8Crlf);
BENCHMARK_CAPTURE(ReadLines, chinese_gbk_crlf, kGbkCrlf);

}  // namespace

BENCHMARK_MAIN();
