#pragma once

#include <ostream>

#include "format/ids.h"

// In tests a slot, position, bank or item number is checked against the plain number a
// reader expects (EXPECT_EQ(slot, 1)), and shown as that number when a check fails.
namespace i40 {

#define I40_TEST_NUMBER(Type)                     \
  constexpr bool operator==(Type a, int b) {      \
    return Value(a) == b;                         \
  }                                               \
  inline void PrintTo(Type a, std::ostream* os) { \
    *os << #Type "{" << Value(a) << "}";          \
  }

I40_TEST_NUMBER(SetSlot)
I40_TEST_NUMBER(ItemIndex)
I40_TEST_NUMBER(BankNo)
I40_TEST_NUMBER(ItemNumber)

#undef I40_TEST_NUMBER

}  // namespace i40
