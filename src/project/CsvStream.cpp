#include "CsvStream.h"

#include "NumberText.h"

#include <stdexcept>

namespace capi::csv {
namespace {

constexpr std::size_t kReadBlockSize = 64 * 1024;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}

std::string replace_all(std::string text, std::string_view from, std::string_view to)
{
  if (from.empty()) {
    return text;
  }
  std::string out;
  std::size_t start = 0;
  for (auto hit = text.find(from); hit != std::string::npos; hit = text.find(from, start)) {
    out.append(text, start, hit - start);
    out.append(to);
    start = hit + from.size();
  }
  if (start == 0) {
    return text;
  }
  out.append(text, start);
  return out;
}

void istream_base::set_delimiter(char delimiter, std::string_view escape)
{
  mDelimiter.assign(1, delimiter);
  mDelimiterEscape = escape;
}

void istream_base::reset_state()
{
  mLine.clear();
  mPosition = 0;
  mDelimiter = kDefaultDelimiter;
  mDelimiterEscape = kDefaultDelimiterEscape;
  mLineNumber = 0;
  mTokenNumber = 0;
  mToken.clear();
}

bool istream_base::accept_line()
{
  mPosition = 0;
  if (mLine.empty()) {
    return false;
  }
  ++mLineNumber;
  mTokenNumber = 0;
  return true;
}

std::string istream_base::next_token()
{
  mToken.clear();
  bool quoted = false;
  bool ended = false;
  while (mPosition < mLine.size()) {
    const char ch = mLine[mPosition];
    if (quoted && ch == kQuoteChar) {
      if (mPosition + 1 < mLine.size() && mLine[mPosition + 1] == kQuoteChar) {
        mToken += kQuoteChar;
        mPosition += 2;
        continue;
      }
      quoted = false;
    } else if (!quoted && ch == kQuoteChar) {
      // Only a quote that opens a token starts a quoted stretch; elsewhere it is plain text.
      quoted = mPosition == 0 || is_delimiter(mLine[mPosition - 1]);
    }
    ++mPosition;
    if ((!quoted && is_delimiter(ch)) || ch == '\r' || ch == '\n') {
      ended = true;
      break;
    }
    mToken += ch;
  }
  if (!ended) {
    mLine.clear();
  }
  ++mTokenNumber;
  mToken = unescape(std::move(mToken));
  return mToken;
}

std::string istream_base::unescape(std::string token) const
{
  if (!mDelimiterEscape.empty()) {
    token = replace_all(std::move(token), mDelimiterEscape, mDelimiter);
  }
  if (!token.empty() && token.front() == kQuoteChar && token.back() == kQuoteChar) {
    token = token.size() == 1 ? std::string() : token.substr(1, token.size() - 2);
  }
  token = replace_all(std::move(token), kNewlineEscape, "\n");
  return replace_all(std::move(token), kQuoteEscape, std::string_view(&kQuoteChar, 1));
}

std::string istream_base::rest_of_line() const
{
  return mPosition < mLine.size() ? mLine.substr(mPosition) : std::string();
}

std::size_t istream_base::count_delimiters() const
{
  std::size_t count = 0;
  bool quoted = false;
  for (char ch : mLine) {
    if (ch == kQuoteChar) {
      quoted = !quoted;
    } else if (!quoted && is_delimiter(ch)) {
      ++count;
    }
  }
  return count;
}

void istream_base::throw_conversion_error(std::string_view signature) const
{
  std::string message = "csv::istream_base conversion error at line no.:";
  message += std::to_string(mLineNumber);
  message += ", filename:, token position:";
  message += std::to_string(mTokenNumber);
  message += ", token:";
  message += mToken;
  message += ", function:";
  message += signature;
  throw std::runtime_error(message);
}

void file_istream::reset_reader()
{
  mFile.reset();
  reset_state();
  mBuffer.clear();
  mBufferPos = 0;
  mHasByteOrderMark = false;
  mFirstLineDone = false;
}

void file_istream::assign(std::string bytes)
{
  reset_reader();
  mHasByteOrderMark = bytes.starts_with(kByteOrderMark);
  mBuffer.assign(bytes.begin(), bytes.end());
}

bool file_istream::open(const std::filesystem::path& path)
{
  reset_reader();
  mFile.reset(std::fopen(path.c_str(), "rb"));
  if (!mFile) {
    return false;
  }
  char head[3] = {};
  mHasByteOrderMark = std::fread(head, 1, sizeof head, mFile.get()) == sizeof head &&
                      std::string_view(head, sizeof head) == kByteOrderMark;
  std::rewind(mFile.get());
  return true;
}

bool file_istream::at_end()
{
  if (mBufferPos < mBuffer.size()) {
    return false;
  }
  if (!mFile) {
    return true;
  }
  mBuffer.resize(kReadBlockSize);
  mBuffer.resize(std::fread(mBuffer.data(), 1, kReadBlockSize, mFile.get()));
  mBufferPos = 0;
  return mBuffer.empty();
}

int file_istream::next_byte()
{
  if (at_end()) {
    return EOF;
  }
  return static_cast<unsigned char>(mBuffer[mBufferPos++]);
}

bool file_istream::read_line()
{
  mLine.clear();
  if (at_end()) {
    return false;
  }
  for (int byte = next_byte(); byte != EOF && byte != '\n' && byte != 0xFF; byte = next_byte()) {
    if (byte != '\r') {
      mLine += static_cast<char>(byte);
    }
  }
  if (!mFirstLineDone) {
    mFirstLineDone = true;
    if (mHasByteOrderMark && mLine.starts_with(kByteOrderMark)) {
      mLine.erase(0, kByteOrderMark.size());
    }
  }
  return accept_line();
}

istringstream::istringstream(std::string text)
{
  set_text(std::move(text));
}

void istringstream::set_text(std::string text)
{
  reset_state();
  mText = std::move(text);
  mIndex = 0;
}

bool istringstream::read_line()
{
  mLine.clear();
  if (mIndex >= mText.size()) {
    return false;
  }
  while (true) {
    const char ch = mText[mIndex++];
    if (ch != '\r' && ch != '\n') {
      mLine += ch;
    }
    if (mIndex < mText.size() && mText[mIndex] == '\n') {
      ++mIndex;
      break;
    }
    if (mIndex >= mText.size()) {
      break;
    }
  }
  return accept_line();
}

istringstream& operator>>(istringstream& in, std::string& value)
{
  value = in.next_token();
  return in;
}

template <typename T, typename Parse>
istringstream& istringstream::extract(T& value, Parse parse, std::string_view signature)
{
  const auto parsed = parse(next_token());
  if (!parsed) {
    throw_conversion_error(signature);
  }
  value = *parsed;
  return *this;
}

istringstream& operator>>(istringstream& in, int& value)
{
  return in.extract(value, parse_int,
    "class capi::csv::istringstream &__cdecl operator >><int>(class capi::csv::istringstream &,int &)");
}

istringstream& operator>>(istringstream& in, unsigned int& value)
{
  return in.extract(value, parse_uint,
    "class capi::csv::istringstream &__cdecl operator >><unsigned int>(class capi::csv::istringstream &,"
    "unsigned int &)");
}

istringstream& operator>>(istringstream& in, float& value)
{
  return in.extract(value, parse_float,
    "class capi::csv::istringstream &__cdecl operator >><float>(class capi::csv::istringstream &,float &)");
}

file_ostream::file_ostream(const std::filesystem::path& path)
  : mFile(std::fopen(path.c_str(), "wb"))
{
}

void file_ostream::set_delimiter(char delimiter, std::string_view escape)
{
  mDelimiter.assign(1, delimiter);
  mDelimiterEscape = escape;
}

void file_ostream::flush()
{
  if (mFile && std::fflush(mFile.get()) != 0) {
    mFailed = true;
  }
}

bool file_ostream::close()
{
  if (!mFile) {
    return false;
  }
  flush();
  const bool closed = std::fclose(mFile.release()) == 0;
  return closed && !mFailed;
}

void file_ostream::write_raw(std::string_view bytes)
{
  if (mFile && std::fwrite(bytes.data(), 1, bytes.size(), mFile.get()) != bytes.size()) {
    mFailed = true;
  }
}

void file_ostream::begin_item()
{
  if (!mAfterNewline && !mDelimiter.empty()) {
    write_raw(std::string_view(mDelimiter).substr(0, 1));
  }
  mAfterNewline = false;
}

file_ostream& file_ostream::operator<<(std::string_view text)
{
  begin_item();
  std::string item(text);
  if (!mDelimiterEscape.empty()) {
    item = replace_all(std::move(item), mDelimiter, mDelimiterEscape);
  }
  item = replace_all(std::move(item), "\n", kNewlineEscape);
  if (mDelimiter.empty() || item.find(mDelimiter) == std::string::npos) {
    write_raw(item);
    return *this;
  }
  item = replace_all(std::move(item), std::string_view(&kQuoteChar, 1), kQuoteEscape);
  write_raw(std::string(1, kQuoteChar) + item + kQuoteChar);
  return *this;
}

void file_ostream::write_number(std::string text)
{
  begin_item();
  if (!mDelimiterEscape.empty()) {
    text = replace_all(std::move(text), mDelimiter, mDelimiterEscape);
  }
  write_raw(text);
}

file_ostream& file_ostream::operator<<(int value)
{
  write_number(std::to_string(value));
  return *this;
}

file_ostream& file_ostream::operator<<(unsigned int value)
{
  write_number(std::to_string(value));
  return *this;
}

file_ostream& file_ostream::operator<<(float value)
{
  write_number(format_float(value));
  return *this;
}

file_ostream& file_ostream::operator<<(char ch)
{
  if (ch != '\n') {
    return *this << std::string_view(&ch, 1);
  }
  write_raw("\r\n");
  mAfterNewline = true;
  return *this;
}

file_ostream& file_ostream::operator<<(const separator& sep)
{
  set_delimiter(sep.delimiter, sep.escape);
  return *this;
}

}
