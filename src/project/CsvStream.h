#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Delimited text, one record per line. Inside a token, escape texts stand in for the delimiter,
// a line feed and the quote char, so any text survives a write and read round trip. The streams
// treat text as bytes; callers keep UTF-8 in them.
namespace capi::csv {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

inline constexpr char kQuoteChar = '"';
inline constexpr std::string_view kQuoteEscape = "&quot;";
inline constexpr std::string_view kNewlineEscape = "&newline;";
inline constexpr std::string_view kDefaultDelimiter = ",";
inline constexpr std::string_view kDefaultDelimiterEscape = "##";

// The reading state both readers share: the current line and the tokenizer over it.
class istream_base {
public:
  virtual ~istream_base() = default;
  istream_base(const istream_base&) = delete;
  istream_base& operator=(const istream_base&) = delete;

  // Moves to the next line. False at the end of the input and at the first empty line.
  virtual bool read_line() = 0;

  void set_delimiter(char delimiter, std::string_view escape);
  // The next token of the current line, unescaped; empty once the line is used up.
  std::string next_token();
  // The rest of the current line from the tokenizer's position, without unescaping.
  std::string rest_of_line() const;
  // Delimiters in the current line outside quoted stretches.
  std::size_t count_delimiters() const;
  std::size_t line_number() const { return mLineNumber; }
  std::size_t token_number() const { return mTokenNumber; }

protected:
  istream_base() = default;
  void reset_state();
  // Finishes a read_line once mLine holds the line: true when it is not empty.
  bool accept_line();
  [[noreturn]] void throw_conversion_error(std::string_view signature) const;

  std::string mLine;

private:
  std::string unescape(std::string token) const;
  bool is_delimiter(char ch) const { return !mDelimiter.empty() && ch == mDelimiter.front(); }

  std::size_t mPosition = 0;
  std::string mDelimiter{kDefaultDelimiter};
  std::string mDelimiterEscape{kDefaultDelimiterEscape};
  std::size_t mLineNumber = 0;
  std::size_t mTokenNumber = 0;
  std::string mToken;
};

// Reads a file in blocks. A leading UTF-8 byte-order mark is dropped from the first line; CR is
// ignored and LF (or a 0xFF byte, which UTF-8 never contains) ends a line.
class file_istream : public istream_base {
public:
  file_istream() = default;
  // Closes any open file and resets every setting to its default before opening.
  bool open(const std::filesystem::path& path);
  // Reads bytes already in memory (a whole file read in one pass) by the same rules; resets every
  // setting like open.
  void assign(std::string bytes);
  bool read_line() override;

private:
  // The next byte, or EOF at the end of the file.
  int next_byte();
  bool at_end();
  void reset_reader();

  FilePtr mFile;
  std::vector<char> mBuffer;
  std::size_t mBufferPos = 0;
  bool mHasByteOrderMark = false;
  bool mFirstLineDone = false;
};

class istringstream : public istream_base {
public:
  explicit istringstream(std::string text = {});
  // Takes new input and resets the delimiter and escapes to their defaults.
  void set_text(std::string text);
  bool read_line() override;

  friend istringstream& operator>>(istringstream& in, std::string& value);
  friend istringstream& operator>>(istringstream& in, int& value);
  friend istringstream& operator>>(istringstream& in, unsigned int& value);
  friend istringstream& operator>>(istringstream& in, float& value);

private:
  template <typename T, typename Parse>
  istringstream& extract(T& value, Parse parse, std::string_view signature);

  std::string mText;
  std::size_t mIndex = 0;
};

// Switches a file_ostream's delimiter and its escape for the items that follow.
struct separator {
  char delimiter;
  std::string escape;
};

class file_ostream {
public:
  // Opens path for writing, truncating it; is_open() tells whether that worked.
  explicit file_ostream(const std::filesystem::path& path);
  file_ostream(const file_ostream&) = delete;
  file_ostream& operator=(const file_ostream&) = delete;

  bool is_open() const { return mFile != nullptr; }
  void set_delimiter(char delimiter, std::string_view escape);
  void flush();
  // True when every byte since opening reached the file and it closed cleanly.
  bool close();

  file_ostream& operator<<(std::string_view text);
  file_ostream& operator<<(const char* text) { return *this << std::string_view(text); }
  file_ostream& operator<<(int value);
  file_ostream& operator<<(unsigned int value);
  file_ostream& operator<<(float value);
  // A line feed ends the record with CR LF; any other char is a one-character text item.
  file_ostream& operator<<(char ch);
  file_ostream& operator<<(const separator& sep);

private:
  void begin_item();
  void write_number(std::string text);
  void write_raw(std::string_view bytes);

  bool mAfterNewline = true;
  std::string mDelimiter{kDefaultDelimiter};
  std::string mDelimiterEscape{kDefaultDelimiterEscape};
  FilePtr mFile;
  bool mFailed = false;
};

// Replaces every non-overlapping occurrence of from, left to right, continuing after each insert.
std::string replace_all(std::string text, std::string_view from, std::string_view to);

}
