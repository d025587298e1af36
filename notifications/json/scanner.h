// Cutting the input into tokens, one at a time, each with where it begins and ends.
#pragma once

#include <cstddef>
#include <string>

#include "notifications/json/reader.h"

namespace json {
namespace tokens {

enum Type {
  kObjectBegin,   // {
  kObjectEnd,     // }
  kArrayBegin,    // [
  kArrayEnd,      // ]
  kNextElement,   // ,
  kMemberAssign,  // :
  kString,        // value: the unescaped contents
  kNumber,        // the raw characters, checked only when parsed
  kBoolean,       // true or false
  kNull,          // null
};

// Where a token lies is kept as document offsets; lines are counted only when an error needs
// a full location.
struct Token {
  Type type = kNull;
  std::string value;  // the contents of a string; the other kinds are read from the input
  std::size_t begin = 0;
  std::size_t end = 0;
};

class Scanner {
 public:
  Scanner(const char* data, std::size_t size) : data_(data), size_(size) {}

  // Cuts the next token into *token; false at the end of the input. Throws
  // Reader::ScanException for input that cannot be cut into tokens.
  bool Next(Token* token);

  // Scans the rest of the input only to find scanning errors.
  void CheckRest();

 private:
  [[noreturn]] void Fail(const std::string& message) const;
  [[noreturn]] void FailEscape(char escape) const;
  void TakeByte(Type type, Token* token);
  void MatchWord(const char* word, Type type, Token* token);
  void ScanNumber(Token* token);
  void ScanString(Token* token);
  void ScanEscape(std::string* value);
  void ScanCodeUnit(std::string* value);

  const char* const data_;
  const std::size_t size_;
  std::size_t pos_ = 0;
};

// The token's text as error messages show it.
std::string Text(const Token& token, const char* data);

// The full location of a document offset.
Reader::Location Locate(const char* data, std::size_t offset);

}  // namespace tokens
}  // namespace json
