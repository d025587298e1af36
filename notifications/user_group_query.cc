#include "notifications/user_group_query.h"

#define CRYPTOPP_ENABLE_NAMESPACE_WEAK 1
#include <cryptopp/md2.h>

#include "notifications/decimal_text.h"
#include "notifications/json/reader.h"
#include "notifications/request_text.h"

namespace notifications {
namespace {

// The protocol numbers, as sent in the query.
const char kPv[] = "10";
const char kCht[] = "100";
const char kCmt[] = "0";
const char kClt[] = "1";

}  // namespace

std::string user_group_check_code(const std::string& uid, const std::string& sid) {
  // The digest takes the numbers in the order clt, pv, cmt, cht.
  const std::string input = uid + kClt + kPv + kCmt + kCht + sid;
  CryptoPP::Weak::MD2 md2;
  CryptoPP::byte digest[CryptoPP::Weak::MD2::DIGESTSIZE];
  md2.CalculateDigest(digest, reinterpret_cast<const CryptoPP::byte*>(input.data()),
                      input.size());
  static const char kHex[] = "0123456789abcdef";
  std::string hex;
  for (CryptoPP::byte b : digest) {
    hex += kHex[b >> 4];
    hex += kHex[b & 0x0F];
  }
  return hex;
}

std::string user_group_path(const std::string& uid, const std::string& sid,
                            const std::string& check_code) {
  return std::string("/attribute?uid=") + escape_request_text(uid) +
         "&sid=" + escape_request_text(sid) + "&pv=" + kPv + "&cht=" + kCht + "&cmt=" + kCmt +
         "&clt=" + kClt + "&cc=" + check_code;
}

int read_user_group_reply(const char* body, std::size_t length,
                          std::vector<std::string>* attributes) {
  json::Object reply;
  json::Reader::Read(reply, body, length);
  int error = parse_decimal_int32(reply["ERRNO"].AsString().Value());
  if (error != 0) return error;
  reply["USERID"].AsString();  // part of the reply, not used here
  for (json::UnknownElement& attribute : reply["ATTRIBUTE"].AsArray())
    attributes->push_back(attribute.AsString().Value());
  return 0;
}

}  // namespace notifications
