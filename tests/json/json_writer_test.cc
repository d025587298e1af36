// The writer's exact text.
#include <limits>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "notifications/json/writer.h"

namespace {

std::string WriteText(const json::Object& object) {
  std::ostringstream output;
  json::Writer::Write(object, output);
  return output.str();
}

json::Object OneMember(const std::string& name, const json::UnknownElement& value) {
  json::Object object;
  object.Insert(json::Object::Member(name, value));
  return object;
}

TEST(Writer, WritesTheIndentedLayoutByteForByte) {
  json::Array array;
  array.Insert(json::Number(1));
  array.Insert(json::Boolean(true));
  array.Insert(json::Null());
  json::Object object;
  object["a"] = array;
  object["b"] = json::Object();

  EXPECT_EQ(
      "{\n"
      "\t\"a\" : [\n"
      "\t\t1,\n"
      "\t\ttrue,\n"
      "\t\tnull\n"
      "\t],\n"
      "\t\"b\" : {}\n"
      "}",
      WriteText(object));
}

TEST(Writer, OpensNestedContainersOnTheirOwnLine) {
  json::Object inner = OneMember("deep", json::String("x"));
  json::Array matrix;
  json::Array row;
  row.Insert(json::Number(2));
  matrix.Insert(row);
  matrix.Insert(json::Array());
  matrix.Insert(inner);
  json::Object object;
  object["m"] = matrix;
  object["f"] = json::Boolean(false);

  EXPECT_EQ(
      "{\n"
      "\t\"m\" : [\n"
      "\t\t[\n"
      "\t\t\t2\n"
      "\t\t],\n"
      "\t\t[],\n"
      "\t\t{\n"
      "\t\t\t\"deep\" : \"x\"\n"
      "\t\t}\n"
      "\t],\n"
      "\t\"f\" : false\n"
      "}",
      WriteText(object));
}

TEST(Writer, WritesAnEmptyObjectAsBraces) { EXPECT_EQ("{}", WriteText(json::Object())); }

TEST(Writer, WritesNumbersWithTwentySignificantDigits) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {0.0, "0"},
      {-0.0, "-0"},
      {1.0, "1"},
      {-12.5, "-12.5"},
      {-7.0, "-7"},
      {1700000000.0, "1700000000"},
      {4294967296.0, "4294967296"},
      {999999999999999.0, "999999999999999"},
      {-999999999999999.0, "-999999999999999"},
      {1e15, "1000000000000000"},
      {9007199254740993.0, "9007199254740992"},
      {2.5, "2.5"},
      {0.1, "0.10000000000000000555"},
      {1.0 / 3.0, "0.33333333333333331483"},
      {123456789012345678.0, "123456789012345680"},
      {1e19, "10000000000000000000"},
      {1e20, "1e+20"},
      {1e21, "1e+21"},
      {1e-7, "9.9999999999999995475e-08"},
      {std::numeric_limits<double>::max(), "1.7976931348623157081e+308"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(std::string("{\n\t\"n\" : ") + c.text + "\n}",
              WriteText(OneMember("n", json::Number(c.value))))
        << c.text;
  }
}

TEST(Writer, EscapesQuotesBackslashesAndNamedControlBytesOnly) {
  const struct {
    const char* what;
    std::string value;
    std::string written;
  } cases[] = {
      {"quote and backslash", "say \"hi\" \\ bye", "say \\\"hi\\\" \\\\ bye"},
      {"named control bytes", "\b\f\n\r\t", "\\b\\f\\n\\r\\t"},
      {"slash unchanged", "a/b", "a/b"},
      {"other control bytes unchanged", std::string("\x01\x1F\0", 3), std::string("\x01\x1F\0", 3)},
      {"high bytes unchanged", "\xE9\x80\xFF", "\xE9\x80\xFF"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ("{\n\t\"s\" : \"" + c.written + "\"\n}",
              WriteText(OneMember("s", json::String(c.value))))
        << c.what;
  }
}

TEST(Writer, EscapesMemberNamesAsStrings) {
  const struct {
    std::string name;
    std::string written;
  } cases[] = {
      {"plain name", "plain name"},
      {"high \xE9 and / stay", "high \xE9 and / stay"},
      {"q\"uote", "q\\\"uote"},
      {"back\\slash", "back\\\\slash"},
      {"line\nfeed\ttab", "line\\nfeed\\ttab"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ("{\n\t\"" + c.written + "\" : null\n}",
              WriteText(OneMember(c.name, json::UnknownElement())));
  }
}

TEST(Writer, WritesAValueThatALookupCreated) {
  json::Object object;
  object["present"] = json::String("yes");
  object["missing"].AsString();  // appended as null, then made a string
  EXPECT_EQ("{\n\t\"present\" : \"yes\",\n\t\"missing\" : \"\"\n}", WriteText(object));
}

// Records what reached the stream buffer at each flush.
class FlushRecorder : public std::stringbuf {
 public:
  std::vector<std::string> flushed;

 protected:
  int sync() override {
    flushed.push_back(str());
    return 0;
  }
};

TEST(Writer, FlushesAfterEveryLineAndAtTheEnd) {
  FlushRecorder recorder;
  std::ostream output(&recorder);
  json::Object object;
  object["a"] = json::Number(1);
  object["b"] = json::Array();
  json::Writer::Write(object, output);

  const std::vector<std::string> expected = {
      "{\n",
      "{\n\t\"a\" : 1,\n",
      "{\n\t\"a\" : 1,\n\t\"b\" : []\n",
      "{\n\t\"a\" : 1,\n\t\"b\" : []\n}",
  };
  EXPECT_EQ(expected, recorder.flushed);
}

}  // namespace
