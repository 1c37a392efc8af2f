// The operators on values: the class table, arithmetic per class, comparison, negation, not, and
// the sharing rules of strings and arrays.

#include <gtest/gtest.h>

#include <array>
#include <limits>

#include "script/script_error.h"
#include "script/value_ops.h"
#include "script/value_text.h"
#include "value_test_support.h"

namespace ondrix::script {
namespace {

using V = ScriptValue;
using Op = BinaryOp;

const std::string kInvalidOp = "Invalid variant operation";
const std::string kConversion = "Invalid variant type conversion";

std::string result(Op op, const V& left, const V& right) {
  std::string text;
  try {
    text = describe(binary(op, left, right));
  } catch (const std::exception& e) {
    text = e.what();
  }
  return text;
}

// One sample value per operand class, and the kind `+` gives for each pair: the class table read
// through the results (Boolean + Boolean is done in Real; the String '3' is a number to a Date).
TEST(ValueOps, ClassTableDecidesTheResultOfAddition) {
  const std::array<V, 8> samples{V(), V::null(), V::integer(2), V::real(1.5), V::currency(25000),
                                 V::string("3"), V::boolean(true), V::date(36526)};
  constexpr const char* E = "error";
  const std::array<std::array<const char*, 8>, 8> expected{{
      //  Empty Null    Integer     Real        Currency    String      Boolean     Date
      {E, E, E, E, E, E, E, E},
      {E, "Null", "Null", "Null", "Null", "Null", "Null", "Null"},
      {E, "Null", "Integer", "Real", "Currency", "Real", "Integer", "Date"},
      {E, "Null", "Real", "Real", "Currency", "Real", "Real", "Date"},
      {E, "Null", "Currency", "Currency", "Currency", "Currency", "Currency", "Date"},
      {E, "Null", "Real", "Real", "Currency", "String", "Real", "Date"},
      {E, "Null", "Integer", "Real", "Currency", "Real", "Real", "Date"},
      {E, "Null", "Date", "Date", "Date", "Date", "Date", "Date"},
  }};
  for (std::size_t l = 0; l < samples.size(); ++l) {
    for (std::size_t r = 0; r < samples.size(); ++r) {
      std::string kind;
      try {
        kind = std::string(kindName(binary(Op::Add, samples[l], samples[r]).kind()));
      } catch (const EVariantError& e) {
        EXPECT_EQ(e.what(), kInvalidOp);
        kind = E;
      }
      EXPECT_EQ(kind, expected[l][r]) << describe(samples[l]) << " + " << describe(samples[r]);
    }
  }
  EXPECT_EQ(result(Op::Add, V::array(1), V::integer(1)), kInvalidOp);
  EXPECT_EQ(result(Op::Add, V::integer(1), V::array(1)), kInvalidOp);
}

struct OpCase {
  V left;
  Op op;
  V right;
  std::string expected;  // describe() of the result, or the error text
};

TEST(ValueOps, ArithmeticPerClass) {
  const double jan1 = *encodeDate(2000, 1, 1);
  const std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
  const OpCase cases[] = {
      // Integer: overflow is redone in Real; / is Real; div and mod truncate; shifts mod 32.
      {V::integer(2147483647), Op::Add, V::integer(1), "Real:2147483648"},
      {V::integer(kMin), Op::Subtract, V::integer(1), "Real:-2147483649"},
      {V::integer(65536), Op::Multiply, V::integer(65536), "Real:4294967296"},
      {V::integer(-3), Op::Multiply, V::integer(4), "Integer:-12"},
      {V::integer(7), Op::Divide, V::integer(2), "Real:3.5"},
      {V::integer(6), Op::Divide, V::integer(2), "Real:3"},
      {V::integer(7), Op::IntDivide, V::integer(2), "Integer:3"},
      {V::integer(-7), Op::IntDivide, V::integer(2), "Integer:-3"},
      {V::integer(-7), Op::Modulo, V::integer(2), "Integer:-1"},
      {V::integer(7), Op::Modulo, V::integer(-2), "Integer:1"},
      {V::integer(5), Op::IntDivide, V::integer(0), "Division by zero"},
      {V::integer(5), Op::Modulo, V::integer(0), "Division by zero"},
      {V::integer(5), Op::Divide, V::integer(0), "Floating point division by zero"},
      {V::integer(0), Op::Divide, V::integer(0), "Invalid floating point operation"},
      {V::integer(kMin), Op::IntDivide, V::integer(-1), "Integer overflow"},
      {V::integer(kMin), Op::Modulo, V::integer(-1), "Integer:0"},
      {V::integer(-1), Op::Shr, V::integer(28), "Integer:15"},
      {V::integer(-16), Op::Shr, V::integer(0), "Integer:-16"},
      {V::integer(1), Op::Shl, V::integer(31), "Integer:-2147483648"},
      {V::integer(1), Op::Shl, V::integer(33), "Integer:2"},
      {V::integer(3), Op::And, V::integer(5), "Integer:1"},
      {V::integer(3), Op::Or, V::integer(5), "Integer:7"},
      {V::integer(3), Op::Xor, V::integer(5), "Integer:6"},
      // Real: + - * / in doubles, the rest on rounded integers.
      {V::real(1.5), Op::Add, V::integer(1), "Real:2.5"},
      {V::real(7.5), Op::IntDivide, V::integer(2), "Integer:4"},
      {V::real(2.5), Op::Modulo, V::real(2), "Integer:0"},
      {V::real(6.5), Op::And, V::integer(3), "Integer:2"},
      {V::real(1e308), Op::Multiply, V::integer(10), "Floating point overflow"},
      {V::real(1.5), Op::Divide, V::real(0), "Floating point division by zero"},
      {V::real(3e9), Op::IntDivide, V::integer(2), "Variant overflow"},
      // Currency: fixed point, rounded half to even.
      {V::currency(15000), Op::Add, V::integer(1), "Currency:25000"},
      {V::currency(15000), Op::Multiply, V::currency(15000), "Currency:22500"},
      {V::currency(10000), Op::Divide, V::integer(3), "Currency:3333"},
      {V::currency(20000), Op::Divide, V::integer(3), "Currency:6667"},
      {V::currency(1), Op::Multiply, V::real(0.5), "Currency:0"},
      {V::currency(3), Op::Multiply, V::real(0.5), "Currency:2"},
      {V::currency(75000), Op::IntDivide, V::integer(2), "Integer:4"},
      {V::currency(10000), Op::Divide, V::integer(0), "Floating point division by zero"},
      {V::currency(std::numeric_limits<std::int64_t>::max()), Op::Add, V::currency(1), "Variant overflow"},
      // String: + concatenates, the rest as Real.
      {V::string("10"), Op::Add, V::integer(5), "Real:15"},
      {V::string("a"), Op::Add, V::string("b"), "String:ab"},
      {V::string(""), Op::Add, V::string(""), "String:"},
      {V::string("10"), Op::Multiply, V::string("2"), "Real:20"},
      {V::string("a"), Op::Subtract, V::string("b"), kConversion},
      {V::string("x"), Op::Add, V::integer(1), kConversion},
      {V::string("10"), Op::Add, V::real(5.5), "Real:15.5"},
      // Boolean: and, or, xor logical; the rest as Real.
      {V::boolean(true), Op::And, V::boolean(false), "Boolean:false"},
      {V::boolean(true), Op::Or, V::boolean(false), "Boolean:true"},
      {V::boolean(true), Op::Xor, V::boolean(true), "Boolean:false"},
      {V::boolean(true), Op::Add, V::boolean(true), "Real:-2"},
      {V::boolean(true), Op::Add, V::integer(1), "Integer:0"},
      {V::boolean(true), Op::And, V::integer(6), "Integer:6"},
      {V::string("True"), Op::And, V::boolean(true), "Boolean:true"},
      {V::string("abc"), Op::And, V::boolean(true), kConversion},
      // Date: + and - give Dates, Date - Date days.
      {V::date(jan1), Op::Add, V::integer(1), "Date:36527.000000"},
      {V::integer(1), Op::Add, V::date(jan1), "Date:36527.000000"},
      {V::date(jan1), Op::Subtract, V::real(0.5), "Date:36525.500000"},
      {V::date(jan1 + 2), Op::Subtract, V::date(jan1), "Real:2"},
      {V::date(jan1), Op::Multiply, V::integer(2), "Real:73052"},
      {V::string("1/3/2000"), Op::Subtract, V::date(jan1), "Date:2.000000"},
      // Null gives Null; Empty fails.
      {V::null(), Op::Add, V::integer(1), "Null"},
      {V::integer(1), Op::IntDivide, V::null(), "Null"},
      {V::null(), Op::And, V::boolean(false), "Null"},
      {V::null(), Op::Add, V(), kInvalidOp},
      {V(), Op::Add, V::integer(1), kInvalidOp},
  };
  for (const OpCase& c : cases)
    EXPECT_EQ(result(c.op, c.left, c.right), c.expected)
        << describe(c.left) << " op" << static_cast<int>(c.op) << " " << describe(c.right);
}

struct CompareCase {
  V left;
  V right;
  int expected;  // -1, 0, 1, or 2 for an error
};

TEST(ValueOps, ComparisonPerClass) {
  const CompareCase cases[] = {
      {V::integer(1), V::real(1.5), -1},
      {V::integer(2), V::real(2.0), 0},
      {V::string("abc"), V::string("abd"), -1},
      {V::string("ab"), V::string("abc"), -1},
      {V::string("B"), V::string("a"), -1},
      {V::string("\xE9"), V::string("z"), 1},  // bytes compare unsigned
      {V::string(""), V::string(""), 0},        // empty strings hold no buffer
      {V::string(""), V::string("a"), -1},
      {V::string("a"), V::string(""), 1},
      {V::string("10"), V::integer(9), 1},
      {V::string("10"), V::string("9"), -1},
      {V::boolean(false), V::boolean(true), -1},
      {V::boolean(true), V::integer(-1), 0},
      {V::null(), V::integer(-5), -1},
      {V::string("a"), V::null(), 1},
      {V::null(), V::null(), 0},
      {V::currency(15000), V::real(1.5), 0},
      {V::date(2), V::integer(1), 1},
      {V(), V::integer(0), 2},
      {V::integer(0), V(), 2},
      {V(), V(), 2},
      {V::array(1), V::array(1), 2},
  };
  for (const CompareCase& c : cases) {
    int got = 2;
    try {
      got = compare(c.left, c.right);
    } catch (const EVariantError& e) {
      EXPECT_EQ(e.what(), kInvalidOp);
    }
    EXPECT_EQ(got, c.expected) << describe(c.left) << " vs " << describe(c.right);
  }
}

TEST(ValueOps, EqualityNeedsTheSameKind) {
  EXPECT_FALSE(strictlyEqual(V::integer(1), V::real(1.0)));
  EXPECT_TRUE(strictlyEqual(V::integer(1), V::integer(1)));
  EXPECT_TRUE(strictlyEqual(V::string("a"), V::string("a")));
  EXPECT_FALSE(strictlyEqual(V::string("1"), V::integer(1)));
  EXPECT_TRUE(strictlyEqual(V::null(), V::null()));
  EXPECT_FALSE(strictlyEqual(V(), V::integer(0)));  // kinds differ: no comparison made
  EXPECT_EQ(errorOf([] { strictlyEqual(V(), V()); }), kInvalidOp);
}

TEST(ValueOps, ConditionTest) {
  EXPECT_TRUE(equalsFalse(V::integer(0)));
  EXPECT_FALSE(equalsFalse(V::integer(1)));
  EXPECT_FALSE(equalsFalse(V::integer(-1)));
  EXPECT_TRUE(equalsFalse(V::boolean(false)));
  EXPECT_FALSE(equalsFalse(V::boolean(true)));
  EXPECT_TRUE(equalsFalse(V::real(0.0)));
  EXPECT_TRUE(equalsFalse(V::string("False")));
  EXPECT_TRUE(equalsFalse(V::string("0")));
  EXPECT_FALSE(equalsFalse(V::null()));
  EXPECT_EQ(errorOf([] { equalsFalse(V()); }), kInvalidOp);
  EXPECT_EQ(errorOf([] { equalsFalse(V::string("maybe")); }), kConversion);
}

struct UnaryCase {
  V value;
  std::string negated;
  std::string notted;
};

TEST(ValueOps, NegationAndNot) {
  const UnaryCase cases[] = {
      {V::integer(5), "Integer:-5", "Integer:-6"},
      {V::integer(0), "Integer:0", "Integer:-1"},
      {V::integer(std::numeric_limits<std::int32_t>::min()), "Real:2147483648", "Integer:2147483647"},
      {V::real(2.5), "Real:-2.5", "Integer:-3"},
      {V::currency(15000), "Currency:-15000", "Integer:-3"},
      {V::date(2.25), "Date:-2.250000", "Integer:-3"},
      {V::string("5"), "Real:-5", "Integer:-6"},
      {V::string("x"), kConversion, kConversion},
      {V::boolean(true), "Integer:1", "Boolean:false"},
      {V::boolean(false), "Integer:0", "Boolean:true"},
      {V::null(), "Null", "Null"},
      {V(), kInvalidOp, kInvalidOp},
      {V::array(1), kInvalidOp, kConversion},
  };
  for (const UnaryCase& c : cases) {
    V a = c.value;
    V b = c.value;
    const std::string negated = errorOf([&] { negate(a); });
    const std::string notted = errorOf([&] { logicalNot(b); });
    EXPECT_EQ(negated == "no error" ? describe(a) : negated, c.negated) << describe(c.value);
    EXPECT_EQ(notted == "no error" ? describe(b) : notted, c.notted) << describe(c.value);
  }
}

TEST(ValueOps, AppendLeavesSharingValuesUnchanged) {
  V s = V::string("a");
  V t = s;
  applyBinary(Op::Add, t, V::string("b"));  // t grows the shared buffer in place
  V u = s;
  applyBinary(Op::Add, u, V::string("c"));  // the buffer already holds "ab": u gets its own
  applyBinary(Op::Add, s, V::string("d"));
  EXPECT_EQ(s.stringValue(), "ad");
  EXPECT_EQ(t.stringValue(), "ab");
  EXPECT_EQ(u.stringValue(), "ac");
  V self = V::string("xy");
  applyBinary(Op::Add, self, self);
  EXPECT_EQ(self.stringValue(), "xyxy");
  for (int i = 0; i < 10; ++i) applyBinary(Op::Add, self, self);  // grows from its own buffer
  EXPECT_EQ(self.stringValue().size(), 4u << 10);
}

TEST(ValueOps, StringsStopAtTheLengthLimit) {
  const std::size_t saved = V::maxStringLength();
  V::setMaxStringLength(4);
  V s = V::string("abc");
  EXPECT_EQ(errorOf([&] { applyBinary(Op::Add, s, V::string("de")); }), "Out of memory");
  EXPECT_EQ(s.stringValue(), "abc");
  applyBinary(Op::Add, s, V::string("d"));
  EXPECT_EQ(s.stringValue(), "abcd");
  EXPECT_EQ(errorOf([] { V::string("12345"); }), "Out of memory");
  V::setMaxStringLength(saved);
}

TEST(ValueOps, ArraysAreCopiedOnWrite) {
  V a = V::array(3);
  V b = a;
  b.setElement(0, V::integer(1));
  EXPECT_TRUE(a.element(0).isEmpty());
  EXPECT_EQ(b.element(0).integerValue(), 1);
  b.setElement(1, b);  // an array stored into itself keeps the old copy
  EXPECT_EQ(b.element(1).arraySize(), 3u);
  EXPECT_TRUE(b.element(1).element(1).isEmpty());
  EXPECT_EQ(errorOf([&] { b.setElement(3, V()); }), "Variant array index out of bounds");
  EXPECT_EQ(errorOf([] { V::integer(1).element(0); }), "Variant is not an array");
}

}  // namespace
}  // namespace ondrix::script
