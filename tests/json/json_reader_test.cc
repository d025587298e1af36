// The reader: what it builds from valid documents, and every error with its message and place.
#include <cfloat>
#include <cmath>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "notifications/json/reader.h"

namespace {

using json::Reader;

struct Where {
  std::size_t line, line_offset, document_offset;
};

bool operator==(const Reader::Location& location, const Where& where) {
  return location.line == where.line && location.line_offset == where.line_offset &&
         location.document_offset == where.document_offset;
}

std::string Describe(const Reader::Location& location) {
  return "(" + std::to_string(location.line) + "," + std::to_string(location.line_offset) + "," +
         std::to_string(location.document_offset) + ")";
}

json::Object ReadText(const std::string& text) {
  json::Object object;
  std::istringstream input(text);
  Reader::Read(object, input);
  return object;
}

// --- errors while cutting the input into tokens -------------------------------------------

struct ScanErrorCase {
  const char* what;
  std::string input;
  std::string message;
  Where where;  // the first byte that does not fit, or the end of the input
};

const ScanErrorCase kScanErrors[] = {
    {"stray letter after a complete object", "{}x", "Unexpected character in stream: x",
     {0, 2, 2}},
    {"stray letter even where parsing would fail first", "{\"a\":}x",
     "Unexpected character in stream: x", {0, 6, 6}},
    {"byte above 0x7f outside a string", "\xA0{}", "Unexpected character in stream: \xA0",
     {0, 0, 0}},
    {"single quote", "{'a':1}", "Unexpected character in stream: '", {0, 1, 1}},
    {"position on a later line", "{\n\"a\":\n@}", "Unexpected character in stream: @",
     {2, 0, 7}},
    {"misspelt true", "{\"t\":tru}", "Expected string: true", {0, 8, 8}},
    {"true cut off", "{\"t\":tr", "Expected string: true", {0, 7, 7}},
    {"misspelt false", "{\"f\":fals e}", "Expected string: false", {0, 9, 9}},
    {"misspelt null", "{\"n\":nil}", "Expected string: null", {0, 6, 6}},
    {"unknown escape", "{\"s\":\"a\\qb\"}", "Unrecognized escape sequence found in string: \\q",
     {0, 8, 8}},
    {"escaped single quote", "{\"s\":\"\\'\"}", "Unrecognized escape sequence found in string: \\'",
     {0, 7, 7}},
    {"u with a non-hex digit", "{\"s\":\"\\u12G4\"}",
     "Unrecognized escape sequence found in string: \\u", {0, 10, 10}},
    {"u with a line feed", "{\"s\":\"\\u1\n23\"}",
     "Unrecognized escape sequence found in string: \\u", {0, 9, 9}},
    {"u with a NUL", std::string("{\"s\":\"\\u1\0" "23\"}", 14),
     "Unrecognized escape sequence found in string: \\u", {0, 9, 9}},
    {"u with input ending", "{\"s\":\"\\u12", "Unrecognized escape sequence found in string: \\u",
     {0, 10, 10}},
    {"u with a closing quote", "{\"s\":\"\\u12\"}",
     "Unrecognized escape sequence found in string: \\u", {0, 10, 10}},
    {"string not closed", "{\"s\":\"abc", "Expected string: \"", {0, 9, 9}},
    {"input ends after a backslash", "{\"s\":\"ab\\", "Expected string: \"", {0, 9, 9}},
    {"string not closed over lines", "{\"s\":\"a\nb\nc", "Expected string: \"", {2, 1, 11}},
};

TEST(Reader, ScanErrorsReportMessageAndLocation) {
  for (const ScanErrorCase& c : kScanErrors) {
    try {
      ReadText(c.input);
      ADD_FAILURE() << c.what << ": no exception";
    } catch (const Reader::ScanException& e) {
      EXPECT_EQ(c.message, e.what()) << c.what;
      EXPECT_TRUE(e.location == c.where) << c.what << ": at " << Describe(e.location);
    }
  }
}

// --- errors while building the tree --------------------------------------------------------

struct ParseErrorCase {
  const char* what;
  std::string input;
  std::string message;
  Where begin, end;  // of the offending token; all 0 when the tokens ran out
};

const Where kNowhere = {0, 0, 0};

const ParseErrorCase kParseErrors[] = {
    {"empty input", "", "Unexpected End of token stream", kNowhere, kNowhere},
    {"only white space", " \t\r\n\v\f ", "Unexpected End of token stream", kNowhere, kNowhere},
    {"top level array", "[1]", "Unexpected token: [", {0, 0, 0}, {0, 1, 1}},
    {"top level string", "\"a\"", "Unexpected token: a", {0, 0, 0}, {0, 3, 3}},
    {"duplicate member", "{\"a\":1,\"a\":2}", "Duplicate object member token: a", {0, 7, 7},
     {0, 10, 10}},
    {"duplicate member on a later line", "{\n  \"a\": 1,\n  \"a\": 2\n}",
     "Duplicate object member token: a", {2, 2, 14}, {2, 5, 17}},
    {"minus inside a number", "{\"n\":1-2}", "Unexpected character in NUMBER token: -",
     {0, 5, 5}, {0, 8, 8}},
    {"two signs", "{\"n\":--1}", "Unexpected character in NUMBER token: -", {0, 5, 5},
     {0, 8, 8}},
    {"two decimal points", "{\"n\":1.2.3}", "Unexpected character in NUMBER token: .",
     {0, 5, 5}, {0, 10, 10}},
    {"two exponents", "{\"n\":1e5e5}", "Unexpected character in NUMBER token: e", {0, 5, 5},
     {0, 10, 10}},
    {"exponent without mantissa", "{\"n\":-e5}", "Unexpected character in NUMBER token: e",
     {0, 5, 5}, {0, 8, 8}},
    {"trailing comma in object", "{\"a\":1,}", "Unexpected token: }", {0, 7, 7}, {0, 8, 8}},
    {"trailing comma in array", "{\"a\":[1,]}", "Unexpected token: ]", {0, 8, 8}, {0, 9, 9}},
    {"tokens after the object", "{}{}", "Expected End of token stream; found {", {0, 2, 2},
     {0, 3, 3}},
    {"value after the object", "{} true", "Expected End of token stream; found true",
     {0, 3, 3}, {0, 7, 7}},
    {"input ends after a colon", "{\"a\":", "Unexpected end of token stream", kNowhere,
     kNowhere},
    {"input ends in an array", "{\"a\":[", "Unexpected end of token stream", kNowhere,
     kNowhere},
    {"input ends after a comma in an array", "{\"a\":[1,", "Unexpected end of token stream",
     kNowhere, kNowhere},
    {"input ends after a member", "{\"a\":1", "Unexpected End of token stream", kNowhere,
     kNowhere},
    {"input ends after an opening brace", "{", "Unexpected End of token stream", kNowhere,
     kNowhere},
    {"input ends after a name", "{\"a\"", "Unexpected End of token stream", kNowhere,
     kNowhere},
    {"missing colon", "{\"a\" 1}", "Unexpected token: 1", {0, 5, 5}, {0, 6, 6}},
    {"string where a colon belongs", "{\"a\" \"b\"}", "Unexpected token: b", {0, 5, 5},
     {0, 8, 8}},
    {"number as a name", "{1:2}", "Unexpected token: 1", {0, 1, 1}, {0, 2, 2}},
    {"colon as a value", "{\"a\"::}", "Unexpected token: :", {0, 5, 5}, {0, 6, 6}},
    {"closing brace as a value", "{\"a\":}", "Unexpected token: }", {0, 5, 5}, {0, 6, 6}},
    {"missing comma in array", "{\"a\":[1 2]}", "Unexpected token: 2", {0, 8, 8}, {0, 9, 9}},
    {"missing comma in object", "{\"a\":1 \"b\":2}", "Unexpected token: b", {0, 7, 7},
     {0, 10, 10}},
    {"array closed by a brace", "{\"a\":[1}", "Unexpected token: }", {0, 7, 7}, {0, 8, 8}},
};

TEST(Reader, ParseErrorsReportMessageAndTokenLocations) {
  for (const ParseErrorCase& c : kParseErrors) {
    try {
      ReadText(c.input);
      ADD_FAILURE() << c.what << ": no exception";
    } catch (const Reader::ParseException& e) {
      EXPECT_EQ(c.message, e.what()) << c.what;
      EXPECT_TRUE(e.location_begin == c.begin)
          << c.what << ": begins at " << Describe(e.location_begin);
      EXPECT_TRUE(e.location_end == c.end) << c.what << ": ends at " << Describe(e.location_end);
    }
  }
}

TEST(Reader, ErrorsAreStandardExceptionsForCallers) {
  EXPECT_THROW(ReadText("{\"a\":}x"), std::runtime_error);
  EXPECT_THROW(ReadText("[]"), json::Exception);
}

// --- nesting --------------------------------------------------------------------------------

std::string NestedArrays(std::size_t arrays) {
  return "{\"a\":" + std::string(arrays, '[') + std::string(arrays, ']') + "}";
}

TEST(Reader, AcceptsNestingUpToTheLimit) {
  // The top-level object is the first level.
  json::Object object = ReadText(NestedArrays(Reader::kMaxDepth - 1));
  const json::UnknownElement* element = &object["a"];
  std::size_t depth = 2;  // the object, then the outermost array
  while (element->AsArray().Size() == 1) {
    element = &element->AsArray()[0];
    ++depth;
  }
  EXPECT_EQ(Reader::kMaxDepth, depth);
}

TEST(Reader, RefusesNestingBeyondTheLimit) {
  struct Case {
    const char* what;
    std::string input;
    std::size_t offending_offset;
  } cases[] = {
      {"arrays one level too deep", NestedArrays(Reader::kMaxDepth), 5 + Reader::kMaxDepth - 1},
      {"objects one level too deep", [] {
         std::string text;
         for (std::size_t i = 0; i < Reader::kMaxDepth + 1; ++i) text += "{\"a\":";
         return text + "1" + std::string(Reader::kMaxDepth + 1, '}');
       }(),
       5 * Reader::kMaxDepth},
      // Far deeper than any stack could hold with one frame per level.
      {"a million opening brackets", "{\"a\":" + std::string(1000000, '['), 5 + Reader::kMaxDepth - 1},
  };
  for (const Case& c : cases) {
    try {
      ReadText(c.input);
      ADD_FAILURE() << c.what << ": no exception";
    } catch (const Reader::ParseException& e) {
      const char opening = c.input[c.offending_offset];
      EXPECT_EQ("Nesting deeper than 256 levels at token: " + std::string(1, opening), e.what())
          << c.what;
      EXPECT_TRUE(e.location_begin == (Where{0, c.offending_offset, c.offending_offset}))
          << c.what << ": at " << Describe(e.location_begin);
    }
  }
}

// --- what valid documents become -----------------------------------------------------------

TEST(Reader, BuildsEveryKindOfValue) {
  json::Object object = ReadText(
      " \t\r\n\v\f{ \"s\" : \"text\", \"n\":-12.5e1,\"t\":true,\"f\":false,\"z\":null,"
      "\"a\":[1,\"x\",[],{}],\"o\":{\"inner\":{}} }\n ");
  ASSERT_EQ(7u, object.Size());
  const char* names[] = {"s", "n", "t", "f", "z", "a", "o"};
  std::size_t i = 0;
  for (const json::Object::Member& member : object) EXPECT_EQ(names[i++], member.name);

  const json::Object& read = object;
  EXPECT_EQ("text", read.Find("s")->element.AsString().Value());
  EXPECT_EQ(-125.0, read.Find("n")->element.AsNumber().Value());
  EXPECT_TRUE(read.Find("t")->element.AsBoolean().Value());
  EXPECT_FALSE(read.Find("f")->element.AsBoolean().Value());
  EXPECT_NO_THROW(read.Find("z")->element.AsNull());
  const json::Array& array = read.Find("a")->element.AsArray();
  ASSERT_EQ(4u, array.Size());
  EXPECT_EQ(1.0, array[0].AsNumber().Value());
  EXPECT_EQ("x", array[1].AsString().Value());
  EXPECT_TRUE(array[2].AsArray().Empty());
  EXPECT_TRUE(array[3].AsObject().Empty());
  EXPECT_TRUE(read.Find("o")->element.AsObject().Find("inner")->element.AsObject().Empty());
}

TEST(Reader, InsertsIntoTheGivenObject) {
  json::Object object;
  object["before"] = json::Number(1);
  std::istringstream input("{\"after\":2}");
  Reader::Read(object, input);
  ASSERT_EQ(2u, object.Size());
  EXPECT_EQ("after", (object.begin() + 1)->name);
}

TEST(Reader, ReadsNumbersAsStreamExtractionDoes) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {"0", 0.0},
      {"-0", -0.0},
      {"7", 7.0},
      {"01", 1.0},
      {"1.", 1.0},
      {"-.5", -0.5},
      {"1.5", 1.5},
      {"1e3", 1000.0},
      {"1E+3", 1000.0},
      {"2.5e-3", 0.0025},
      {"4294967296", 4294967296.0},
      {"1700000000", 1700000000.0},
      {"0.1", 0.1},
      {"123456789012345678901234567890", 123456789012345678901234567890.0},
      {"1e999", DBL_MAX},        // beyond the range: the largest value of the sign
      {"-1e999", -DBL_MAX},
      {"1e-999", 0.0},           // too small: zero
      {"0.00000000001e-400", 0.0},
      {"-", 0.0},                // no number at all reads as 0
      {"1e", 0.0},
      {"1e+", 0.0},
  };
  for (const auto& c : cases) {
    json::Object object = ReadText(std::string("{\"n\":") + c.text + "}");
    const double value = object["n"].AsNumber().Value();
    EXPECT_EQ(c.value, value) << c.text;
    EXPECT_EQ(std::signbit(c.value), std::signbit(value)) << c.text;
  }
}

TEST(Reader, UnescapesStrings) {
  const struct {
    const char* what;
    std::string escaped;
    std::string value;
  } cases[] = {
      {"quote, slash, backslash", "\\\"\\/\\\\", "\"/\\"},
      {"named control bytes", "\\b\\f\\n\\r\\t", "\b\f\n\r\t"},
      {"u escape of a letter", "\\u0041", "A"},
      {"u escape in upper and lower case", "\\u004a\\u004A", "JJ"},
      {"u escape of NUL", "a\\u0000b", std::string("a\0b", 3)},
      {"u escape of a Latin-1 letter", "\\u00e9", "\xE9"},
      {"u escape of the euro sign", "\\u20AC", "\x80"},
      {"u escape without mapping: default character", "\\u4E2D", "?"},
      {"raw bytes kept as they are", "\x01\x7F\xC3\xA9\n", "\x01\x7F\xC3\xA9\n"},
      {"empty", "", ""},
  };
  for (const auto& c : cases) {
    json::Object object = ReadText("{\"s\":\"" + c.escaped + "\"}");
    EXPECT_EQ(c.value, object["s"].AsString().Value()) << c.what;
  }
}

TEST(Reader, ReadsFromMemoryAndFromStreamsAlike) {
  const std::string text = "{\"a\":[1,2,{\"b\":\"c\"}]}";
  json::Object from_memory;
  Reader::Read(from_memory, text.data(), text.size());
  EXPECT_TRUE(from_memory == ReadText(text));
  EXPECT_EQ(1u, from_memory.Size());
}

TEST(Reader, DetectsDuplicatesInLargeObjects) {
  std::string text = "{";
  for (int i = 0; i < 5000; ++i) text += "\"m" + std::to_string(i) + "\":" + std::to_string(i) + ",";
  json::Object object = ReadText(text + "\"last\":0}");
  EXPECT_EQ(5001u, object.Size());

  try {
    ReadText(text + "\"m4321\":0}");
    FAIL() << "duplicate not found";
  } catch (const Reader::ParseException& e) {
    EXPECT_STREQ("Duplicate object member token: m4321", e.what());
  }
}

}  // namespace
