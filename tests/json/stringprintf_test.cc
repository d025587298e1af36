// printf-style formatting into strings.
#include <string>

#include <gtest/gtest.h>

#include "base/strings/stringprintf.h"

namespace {

TEST(StringPrintf, FormatsLikePrintf) {
  EXPECT_EQ("", base::StringPrintf("%s", ""));
  EXPECT_EQ("Host: example.test\r\n",
            base::StringPrintf("%s: %s\r\n", "Host", "example.test"));
  EXPECT_EQ("-42|00007|ff|3.50|x|%", base::StringPrintf("%d|%05u|%x|%.2f|%c|%%", -42, 7u, 255,
                                                        3.5, 'x'));
  EXPECT_EQ("12345678901234", base::StringPrintf("%lld", 12345678901234LL));
  EXPECT_EQ("size 17", base::StringPrintf("size %zu", static_cast<size_t>(17)));
}

TEST(StringPrintf, AppendsToWhatIsThere) {
  std::string text = "GET / HTTP/1.1\r\n";
  base::StringAppendF(&text, "%s:\r\n", "Accept");
  EXPECT_EQ("GET / HTTP/1.1\r\nAccept:\r\n", text);
}

TEST(StringPrintf, FormatsOutputOfAnyLengthBelowTheLimit) {
  // Around the size that is formatted on the stack, and well beyond it.
  for (const std::size_t length : {1022u, 1023u, 1024u, 1025u, 70000u}) {
    const std::string long_text(length, 'v');
    std::string text = "<";
    base::StringAppendF(&text, "%s>", long_text.c_str());
    EXPECT_EQ("<" + long_text + ">", text) << length;
  }
}

TEST(StringPrintf, RefusesOutputOf32MiBOrMore) {
  const std::string just_below(base::kMaxStringPrintfOutput - 1, 'b');
  std::string text;
  base::StringAppendF(&text, "%s", just_below.c_str());
  EXPECT_EQ(just_below.size(), text.size());

  text = "kept";
  base::StringAppendF(&text, "%s!", just_below.c_str());  // exactly 32 MiB
  EXPECT_EQ("kept", text);
  EXPECT_EQ("", base::StringPrintf("%s%s", just_below.c_str(), "too long"));
}

}  // namespace
