// The reader's first phase: the input cut into tokens, each with where it begins and ends.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

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
  kNumber,        // value: the raw characters, checked only when parsed
  kBoolean,       // value: "true" or "false"
  kNull,          // value: "null"
};

// Where a token lies is kept as document offsets; lines are counted only when an error needs
// a full location.
struct Token {
  Type type;
  std::string value;  // empty for the one-byte tokens: their text is the byte itself
  std::size_t begin;
  std::size_t end;
};

// Throws Reader::ScanException for input that cannot be cut into tokens.
std::vector<Token> Scan(const char* data, std::size_t size);

// The token's text as error messages show it.
std::string Text(const Token& token);

// The full location of a document offset.
Reader::Location Locate(const char* data, std::size_t offset);

}  // namespace tokens
}  // namespace json
