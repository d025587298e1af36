// Whatever the writer writes, the reader reads back as the same tree.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "notifications/json/reader.h"
#include "notifications/json/writer.h"

namespace {

// A small deterministic generator, so a failing document can be made again from its seed.
class Generator {
 public:
  explicit Generator(std::uint64_t seed) : state_(seed * 2654435761u + 1) {}

  json::Object Document() {
    json::Object object;
    FillObject(&object, 0);
    return object;
  }

 private:
  std::uint32_t Next() {
    state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<std::uint32_t>(state_ >> 33);
  }
  std::uint32_t Below(std::uint32_t limit) { return Next() % limit; }

  // Any bytes at all: quotes, backslashes, control bytes, NUL, bytes above 0x7f.
  std::string Text() {
    std::string text;
    const std::uint32_t length = Below(12);
    for (std::uint32_t i = 0; i < length; ++i) {
      const std::uint32_t pick = Below(4);
      if (pick == 0) {
        text += "\"\\/\b\f\n\r\t"[Below(8)];
      } else if (pick == 1) {
        text += static_cast<char>(Below(256));
      } else {
        text += static_cast<char>('a' + Below(26));
      }
    }
    return text;
  }

  double Number() {
    switch (Below(4)) {
      case 0: return static_cast<double>(static_cast<std::int32_t>(Next()));
      case 1: return static_cast<double>(Next()) / (Below(1000) + 1);
      case 2: {  // any finite bit pattern
        std::uint64_t bits = (static_cast<std::uint64_t>(Next()) << 32) | Next();
        double value;
        std::memcpy(&value, &bits, sizeof(value));
        return std::isfinite(value) ? value : 0.5;
      }
      default: return Below(2) ? (Below(17) + 1) * 1e307 : 4.9e-324 * Below(1000);
    }
  }

  json::UnknownElement Value(int depth) {
    switch (Below(depth < 5 ? 7 : 4)) {
      case 0: return json::Null();
      case 1: return json::Boolean(Below(2) == 1);
      case 2: return json::String(Text());
      case 3: return json::Number(Number());
      case 4: {
        json::Array array;
        const std::uint32_t size = Below(5);
        for (std::uint32_t i = 0; i < size; ++i) array.Insert(Value(depth + 1));
        return array;
      }
      default: {
        json::Object object;
        FillObject(&object, depth + 1);
        return object;
      }
    }
  }

  void FillObject(json::Object* object, int depth) {
    const std::uint32_t size = Below(6);
    for (std::uint32_t i = 0; i < size; ++i) {
      const std::string name = Text();
      if (object->Find(name) == object->end()) {
        object->Insert(json::Object::Member(name, Value(depth)));
      }
    }
  }

  std::uint64_t state_;
};

std::string WriteText(const json::Object& object) {
  std::ostringstream output;
  json::Writer::Write(object, output);
  return output.str();
}

json::Object ReadText(const std::string& text) {
  json::Object object;
  std::istringstream input(text);
  json::Reader::Read(object, input);
  return object;
}

TEST(RoundTrip, GeneratedDocumentsReadBackUnchanged) {
  for (std::uint64_t seed = 0; seed < 500; ++seed) {
    const json::Object original = Generator(seed).Document();
    const std::string text = WriteText(original);
    json::Object read;
    try {
      read = ReadText(text);
    } catch (const json::Exception& e) {
      FAIL() << "seed " << seed << ": " << e.what() << "\n" << text;
    }
    ASSERT_TRUE(read == original) << "seed " << seed << "\n" << text;
    ASSERT_EQ(text, WriteText(read)) << "seed " << seed;
  }
}

TEST(RoundTrip, DeepestAcceptedNestingWritesAndReadsBack) {
  // The object is the first level; arrays and objects alternate below it.
  std::string text = "{\"a\":";
  for (std::size_t level = 2; level <= json::Reader::kMaxDepth; ++level) {
    text += level % 2 ? "{\"o\":" : "[";
  }
  text += "1";
  for (std::size_t level = json::Reader::kMaxDepth; level >= 2; --level) {
    text += level % 2 ? "}" : "]";
  }
  text += "}";
  const json::Object deep = ReadText(text);
  const std::string written = WriteText(deep);
  EXPECT_TRUE(ReadText(written) == deep);
  // Items of the innermost container stand one tab deeper per level.
  EXPECT_NE(std::string::npos,
            written.find("\n" + std::string(json::Reader::kMaxDepth, '\t') + "1\n"));
}

TEST(RoundTrip, ServerStyleDocumentReadsAndWritesBackTheSame) {
  const std::string text =
      "{\n"
      "\t\"platform\" : \"windows\",\n"
      "\t\"message\" : [\n"
      "\t\t{\n"
      "\t\t\t\"msgid\" : 1001,\n"
      "\t\t\t\"starttime\" : 1700000000,\n"
      "\t\t\t\"endtime\" : 1800000000,\n"
      "\t\t\t\"title\" : \"\xE6\xB5\x8B\xE8\xAF\x95 \\\"quoted\\\"\",\n"
      "\t\t\t\"url\" : \"http://example.test/a/b\"\n"
      "\t\t}\n"
      "\t],\n"
      "\t\"extra\" : {}\n"
      "}";
  EXPECT_EQ(text, WriteText(ReadText(text)));
}

}  // namespace
