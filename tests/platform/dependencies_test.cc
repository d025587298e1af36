// The cross-built dependencies work under Wine: a real SQLite file and Crypto++'s MD2.
#include <gtest/gtest.h>
#include <sqlite3.h>
#define CRYPTOPP_ENABLE_NAMESPACE_WEAK 1
#include <cryptopp/hex.h>
#include <cryptopp/md2.h>

#include <string>

#include "support/test_support.h"

namespace {

std::string Md2Hex(const std::string& text) {
  CryptoPP::Weak::MD2 md2;
  std::string hex;
  CryptoPP::StringSource source(
      text, true,
      new CryptoPP::HashFilter(md2, new CryptoPP::HexEncoder(new CryptoPP::StringSink(hex), false)));
  return hex;
}

TEST(Dependencies, Md2MatchesRfc1319Vectors) {
  struct Case { const char* text; const char* digest; };
  const Case cases[] = {
      {"", "8350e5a3e24c153df2275c9f80692773"},
      {"a", "32ec01ec4a6dac72c0ab96fb34c0b5d1"},
      {"abc", "da853b0d3f88d99b30283a69e6ded6bb"},
      {"message digest", "ab4f496bfb2a530b219ff33031fe06b0"},
      {"abcdefghijklmnopqrstuvwxyz", "4e8ddff3650292ab5a4108c3aa47940b"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
       "da33def2a42df13975352846c30338cd"},
      {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
       "d5976f79d83d3a0dc9806c3c66f3efd8"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.digest, Md2Hex(c.text)) << "MD2(\"" << c.text << "\")";
}

TEST(Dependencies, SqliteFileRoundTripsThroughDisk) {
  test_support::TempDir dir;
  const std::string path = test_support::ToUtf8(dir.path() + L"\\probe.db");

  sqlite3* db = nullptr;
  ASSERT_EQ(SQLITE_OK, sqlite3_open(path.c_str(), &db));
  ASSERT_EQ(SQLITE_OK, sqlite3_exec(db, "CREATE TABLE t(k TEXT PRIMARY KEY, v TEXT);"
                                        "INSERT INTO t VALUES('key','\xE6\xBE\x84\xE8\x88\x9F');",
                                    nullptr, nullptr, nullptr));
  sqlite3_close(db);

  // The file exists on disk and a new connection reads back the row.
  ASSERT_TRUE(test_support::FileExists(dir.path() + L"\\probe.db"));
  ASSERT_EQ(SQLITE_OK, sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr));
  sqlite3_stmt* stmt = nullptr;
  ASSERT_EQ(SQLITE_OK, sqlite3_prepare_v2(db, "SELECT v, typeof(v) FROM t WHERE k='key'", -1, &stmt, nullptr));
  ASSERT_EQ(SQLITE_ROW, sqlite3_step(stmt));
  EXPECT_STREQ("\xE6\xBE\x84\xE8\x88\x9F", reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
  EXPECT_STREQ("text", reinterpret_cast<const char*>(sqlite3_column_text(stmt, 1)));
  sqlite3_finalize(stmt);
  sqlite3_close(db);
}

}  // namespace
