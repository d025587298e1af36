#include <cstring>

#include "notifications/json/ansi_code_unit.h"
#include "notifications/json/scanner.h"

namespace json {
namespace tokens {
namespace {

// White space as the C locale's isspace() sees it; bytes of 0x80 and above are not.
bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsNumberByte(char c) {
  return IsDigit(c) || c == '.' || c == 'e' || c == 'E' || c == '-' || c == '+';
}

int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool Scanner::Next(Token* token) {
  while (pos_ < size_ && IsSpace(data_[pos_])) ++pos_;
  if (pos_ == size_) return false;
  token->begin = pos_;
  const char c = data_[pos_];
  switch (c) {
    case '{': TakeByte(kObjectBegin, token); break;
    case '}': TakeByte(kObjectEnd, token); break;
    case '[': TakeByte(kArrayBegin, token); break;
    case ']': TakeByte(kArrayEnd, token); break;
    case ',': TakeByte(kNextElement, token); break;
    case ':': TakeByte(kMemberAssign, token); break;
    case '"': ScanString(token); break;
    case 't': MatchWord("true", kBoolean, token); break;
    case 'f': MatchWord("false", kBoolean, token); break;
    case 'n': MatchWord("null", kNull, token); break;
    default:
      if (c != '-' && !IsDigit(c)) Fail(std::string("Unexpected character in stream: ") + c);
      ScanNumber(token);
  }
  token->end = pos_;
  return true;
}

void Scanner::CheckRest() {
  Token token;
  while (Next(&token)) {
  }
}

void Scanner::Fail(const std::string& message) const {
  throw Reader::ScanException(message, Locate(data_, pos_));
}

void Scanner::FailEscape(char escape) const {
  Fail(std::string("Unrecognized escape sequence found in string: \\") + escape);
}

void Scanner::TakeByte(Type type, Token* token) {
  token->type = type;
  ++pos_;
}

void Scanner::MatchWord(const char* word, Type type, Token* token) {
  for (const char* expected = word; *expected; ++expected) {
    if (pos_ == size_ || data_[pos_] != *expected) Fail(std::string("Expected string: ") + word);
    ++pos_;
  }
  token->type = type;
}

void Scanner::ScanNumber(Token* token) {
  do {
    ++pos_;
  } while (pos_ < size_ && IsNumberByte(data_[pos_]));
  token->type = kNumber;
}

void Scanner::ScanString(Token* token) {
  token->type = kString;
  std::string& value = token->value;
  value.clear();
  ++pos_;  // the opening double quote
  for (;;) {
    const std::size_t run = pos_;
    while (pos_ < size_ && data_[pos_] != '"' && data_[pos_] != '\\') ++pos_;
    value.append(data_ + run, pos_ - run);
    if (pos_ == size_) Fail("Expected string: \"");
    if (data_[pos_++] == '"') return;
    if (pos_ == size_) Fail("Expected string: \"");
    ScanEscape(&value);
  }
}

void Scanner::ScanEscape(std::string* value) {
  const char escape = data_[pos_];
  switch (escape) {
    case '"':
    case '/':
    case '\\': value->push_back(escape); break;
    case 'b': value->push_back('\b'); break;
    case 'f': value->push_back('\f'); break;
    case 'n': value->push_back('\n'); break;
    case 'r': value->push_back('\r'); break;
    case 't': value->push_back('\t'); break;
    case 'u':
      ++pos_;
      return ScanCodeUnit(value);
    default: FailEscape(escape);
  }
  ++pos_;
}

// Exactly four hexadecimal digits, either case: one UTF-16 code unit.
void Scanner::ScanCodeUnit(std::string* value) {
  unsigned int unit = 0;
  for (int i = 0; i < 4; ++i) {
    const int digit = pos_ < size_ ? HexValue(data_[pos_]) : -1;
    if (digit < 0) FailEscape('u');
    unit = unit * 16 + static_cast<unsigned int>(digit);
    ++pos_;
  }
  AppendAnsiCodeUnit(static_cast<unsigned short>(unit), value);
}

std::string Text(const Token& token, const char* data) {
  switch (token.type) {
    case kObjectBegin: return "{";
    case kObjectEnd: return "}";
    case kArrayBegin: return "[";
    case kArrayEnd: return "]";
    case kNextElement: return ",";
    case kMemberAssign: return ":";
    case kString: return token.value;
    default: return std::string(data + token.begin, token.end - token.begin);
  }
}

Reader::Location Locate(const char* data, std::size_t offset) {
  Reader::Location location;
  location.document_offset = offset;
  const char* line_start = data;
  const char* const end = data + offset;
  while (line_start < end) {
    const void* feed = std::memchr(line_start, '\n', static_cast<std::size_t>(end - line_start));
    if (!feed) break;
    ++location.line;
    line_start = static_cast<const char*>(feed) + 1;
  }
  location.line_offset = static_cast<std::size_t>(end - line_start);
  return location;
}

}  // namespace tokens
}  // namespace json
