// The message files in a real folder: "pmsg.dat" read, pruned and rewritten through the
// INI helper, and "json.dat" written exactly and replaced only by a complete new file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "notifications/decimal_text.h"
#include "notifications/json/reader.h"
#include "notifications/message_store/ini_file.h"
#include "notifications/message_store/message_file.h"
#include "notifications/message_store/processed_ids.h"
#include "support/test_support.h"

namespace fetching_test {
namespace {

using test_support::TempDir;

std::string Ansi(const std::wstring& path) { return test_support::ToUtf8(path); }

std::string Contents(const std::wstring& path) {
  std::string contents;
  EXPECT_TRUE(test_support::ReadFile(path, &contents)) << test_support::ToUtf8(path);
  return contents;
}

TEST(DecimalTextTest, ReadsLikeTheSystemsSigned32BitConversion) {
  struct Case {
    const char* text;
    int value;
  } cases[] = {{"42", 42},          {"  \t-17x", -17},       {"+8", 8},
               {"", 0},             {"abc", 0},              {"- 5", 0},
               {"2147483647", 2147483647}, {"2147483648", 2147483647},
               {"-2147483648", -2147483647 - 1}, {"-99999999999", -2147483647 - 1},
               {"0012", 12},        {"3.9", 3}};
  for (const Case& c : cases)
    EXPECT_EQ(c.value, notifications::parse_decimal_int32(c.text)) << '"' << c.text << '"';
}

TEST(IniFileTest, ReadsWritesAndFallsBackToDefaults) {
  TempDir dir;
  const std::wstring path = dir.Join(L"t.ini");
  ASSERT_TRUE(test_support::WriteFile(path, "[s]\r\na= 12abc\r\nb=\r\nc=text\r\n"));
  {
    notifications::CAtlIniExt ini(Ansi(path));
    EXPECT_EQ(12, ini.read_int("s", "a", 5));
    EXPECT_EQ(0, ini.read_int("s", "b", 5)) << "an empty value reads as 0, not the default";
    EXPECT_EQ(5, ini.read_int("s", "missing", 5));
    EXPECT_EQ("text", ini.read_text("s", "c", "d"));
    EXPECT_EQ("d", ini.read_text("s", "missing", "d"));
    ini.write_int("s", "n", -3);
  }
  EXPECT_NE(std::string::npos, Contents(path).find("n=-3"));

  notifications::CAtlIniExt nowhere("");
  EXPECT_EQ(0, nowhere.read_int("s", "a", 5));
  EXPECT_EQ("", nowhere.read_text("s", "c", "d"));
  nowhere.write_int("s", "a", 1);  // does nothing, and does not fail
}

TEST(ProcessedIdsTest, TheListEndsAtTheFirstMissingOrZeroKey) {
  TempDir dir;
  const std::wstring path = dir.Join(L"pmsg.dat");
  struct Case {
    const char* file;
    std::vector<int> ids;
  } cases[] = {
      {"[msgid]\r\nid_no[0]=5\r\nid_no[2]=7\r\n", {5}},
      {"[msgid]\r\nid_no[0]=5\r\nid_no[1]=-6\r\nid_no[2]=7\r\n", {5, -6, 7}},
      {"[msgid]\r\nid_no[0]=5\r\nid_no[1]=0\r\nid_no[2]=7\r\n", {5}},
      {"[msgid]\r\nid_no[0]=junk\r\nid_no[1]=7\r\n", {}},
      {"[other]\r\nid_no[0]=5\r\n", {}},
      {"", {}},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(test_support::WriteFile(path, c.file));
    EXPECT_EQ(c.ids, notifications::read_processed_ids(Ansi(path))) << c.file;
  }
  EXPECT_TRUE(notifications::read_processed_ids(Ansi(dir.Join(L"none.dat"))).empty());
}

TEST(ProcessedIdsTest, RemovesListedMessagesAndRewritesOnlyTheIdsStillInUse) {
  json::Object document;
  const std::string body =
      "{\"message\":[{\"msgid\":1},{\"msgid\":2.7},{\"msgid\":3},{\"msgid\":2},{\"x\":0},"
      "\"odd\"]}";
  json::Reader::Read(document, body.data(), body.size());
  json::Array& messages = document["message"].AsArray();

  std::vector<int> removed = notifications::remove_processed(messages, {2, 9, 3});
  EXPECT_EQ(std::vector<int>({2, 3, 2}), removed) << "each removed copy is listed";
  ASSERT_EQ(3u, messages.Size());
  EXPECT_EQ(1.0, messages[0]["msgid"].AsNumber().Value());

  TempDir dir;
  const std::wstring path = dir.Join(L"pmsg.dat");
  ASSERT_TRUE(test_support::WriteFile(path, "[msgid]\r\nid_no[0]=9\r\nid_no[5]=4\r\n[junk]\r\n"));
  notifications::rewrite_processed_file(Ansi(path), removed);
  EXPECT_EQ(std::vector<int>({2, 3, 2}), notifications::read_processed_ids(Ansi(path)));
  EXPECT_EQ(std::string::npos, Contents(path).find("junk")) << "the file is made anew";

  notifications::rewrite_processed_file(Ansi(path), {});
  EXPECT_TRUE(test_support::FileExists(path));
  EXPECT_TRUE(notifications::read_processed_ids(Ansi(path)).empty());
}

TEST(MessageFileTest, HoldsTheUserTheBarAndTheTextExactly) {
  TempDir dir;
  const std::string text = "{\n\t\"message\" : [\n\t\t{\n\t\t\t\"msgid\" : 5\n\t\t}\n\t]\n}";
  ASSERT_TRUE(notifications::write_message_file(dir.path(), "u1", text));
  EXPECT_EQ("u1|" + text, Contents(dir.Join(L"json.dat")));

  // A shorter second content leaves nothing of the first behind.
  ASSERT_TRUE(notifications::write_message_file(dir.path(), "u2", "{}"));
  EXPECT_EQ("u2|{}", Contents(dir.Join(L"json.dat")));
  EXPECT_FALSE(test_support::FileExists(dir.Join(L"json.dat.new")));
  EXPECT_EQ(dir.path() + L"\\json.dat", notifications::message_file_path(dir.path()));
}

TEST(MessageFileTest, AFailedWriteLeavesThePreviousFileIntact) {
  TempDir dir;
  ASSERT_TRUE(test_support::WriteFile(dir.Join(L"json.dat"), "u0|old"));

  // The client holds the file open without sharing: it cannot be replaced.
  HANDLE held = CreateFileW(dir.Join(L"json.dat").c_str(), GENERIC_READ, 0, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  EXPECT_FALSE(notifications::write_message_file(dir.path(), "u1", "{}"));
  CloseHandle(held);
  EXPECT_EQ("u0|old", Contents(dir.Join(L"json.dat")));
  EXPECT_FALSE(test_support::FileExists(dir.Join(L"json.dat.new"))) << "the staged file stays";

  // The staged file cannot be made at all.
  ASSERT_TRUE(CreateDirectoryW(dir.Join(L"json.dat.new").c_str(), nullptr));
  EXPECT_FALSE(notifications::write_message_file(dir.path(), "u1", "{}"));
  EXPECT_EQ("u0|old", Contents(dir.Join(L"json.dat")));

  // A folder that does not exist.
  EXPECT_FALSE(notifications::write_message_file(dir.Join(L"missing"), "u1", "{}"));
}

}  // namespace
}  // namespace fetching_test
