// The converter behind Utf8Converter on this system: glibc's iconv. Shift_JIS
// is asked for as code page 932, as Japanese Windows writes it, in which a
// backslash is a backslash (glibc's SHIFT_JIS makes 0x5C a yen sign, so
// ASCII lines would not read as they are).

#include "reader/text/utf8_converter.h"

#include <iconv.h>

#include <cerrno>

namespace reading {
namespace {

const iconv_t kNoIconv = reinterpret_cast<iconv_t>(-1);

// iconv's name of each encoding.
const char* IconvName(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::kGb18030:
      return "GB18030";
    case TextEncoding::kBig5:
      return "BIG5";
    case TextEncoding::kLatin1:
      return "ISO-8859-1";
    case TextEncoding::kWindows1252:
      return "WINDOWS-1252";
    case TextEncoding::kShiftJis:
      return "CP932";
    default:
      return "UTF-8";
  }
}

// Every character of these encodings is at most 3 bytes of UTF-8 for each
// of its bytes (a one-byte character may become three: Windows-1252's euro
// sign, half-width katakana).
constexpr std::size_t kMostUtf8PerByte = 3;

class IconvConverter final : public Utf8Converter {
 public:
  explicit IconvConverter(iconv_t iconv) : iconv_(iconv) {}
  ~IconvConverter() override { iconv_close(iconv_); }
  IconvConverter(const IconvConverter&) = delete;
  IconvConverter& operator=(const IconvConverter&) = delete;

  Conversion Convert(std::string_view bytes, std::string& out) override {
    // iconv's interface takes a non-const input pointer; it does not write there.
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    std::size_t written = out.size();
    out.resize(written + bytes.size() * kMostUtf8PerByte);
    while (true) {
      char* put = out.data() + written;
      std::size_t room = out.size() - written;
      const std::size_t done = iconv(iconv_, &in, &inLeft, &put, &room);
      written = static_cast<std::size_t>(put - out.data());
      if (done != static_cast<std::size_t>(-1)) break;
      if (errno != E2BIG) {
        const Conversion failed = errno == EINVAL ? Conversion::kCutOff : Conversion::kInvalid;
        iconv(iconv_, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
        out.resize(written);
        return failed;
      }
      out.resize(out.size() + inLeft * kMostUtf8PerByte + 4);
    }
    out.resize(written);
    return Conversion::kDone;
  }

 private:
  iconv_t iconv_;
};

}  // namespace

std::unique_ptr<Utf8Converter> MakeUtf8Converter(TextEncoding encoding) {
  const iconv_t iconv = iconv_open("UTF-8", IconvName(encoding));
  if (iconv == kNoIconv) return nullptr;
  return std::make_unique<IconvConverter>(iconv);
}

bool EncodeUtf8(std::string_view utf8, TextEncoding encoding, std::string& out) {
  const iconv_t converter = iconv_open(IconvName(encoding), "UTF-8");
  if (converter == kNoIconv) return false;
  // A character of GB18030 is at most 4 bytes, and of UTF-8 at least 1.
  std::string encoded(utf8.size() * 4 + 4, '\0');
  char* in = const_cast<char*>(utf8.data());
  std::size_t inLeft = utf8.size();
  char* put = encoded.data();
  std::size_t room = encoded.size();
  const bool done = iconv(converter, &in, &inLeft, &put, &room) != static_cast<std::size_t>(-1) &&
                    iconv(converter, nullptr, nullptr, &put, &room) != static_cast<std::size_t>(-1);
  iconv_close(converter);
  if (!done) return false;
  out.append(encoded.data(), static_cast<std::size_t>(put - encoded.data()));
  return true;
}

}  // namespace reading
