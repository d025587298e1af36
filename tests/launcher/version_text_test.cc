#include <gtest/gtest.h>

#include "app/breakpad_win.h"

namespace {

TEST(NormalizeVersionText, JoinsFourPiecesWithDots) {
  const std::pair<std::wstring, std::wstring> cases[] = {
      {L"2,0,0,473", L"2.0.0.473"},
      {L"2.0.0.473", L"2.0.0.473"},
      {L"2, 0, 0, 473", L"2.0.0.473"},
      {L" 2 . 0 . 0 . 473 ", L"2.0.0.473"},
      {L"2.0.473", L"2.0.473"},
      {L"2,0,473", L"2,0,473"},
      {L"1.2,3.4", L"1.2,3.4"},
      {L"", L""},
  };
  for (const auto& c : cases) EXPECT_EQ(c.second, NormalizeVersionText(c.first)) << c.first;
}

}  // namespace
