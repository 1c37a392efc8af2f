// Conversions between value kinds and the text forms of numbers and dates.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "script/script_error.h"
#include "script/value.h"
#include "script/value_text.h"
#include "value_test_support.h"

namespace ondrix::script {
namespace {

using V = ScriptValue;

const std::string kConversion = "Invalid variant type conversion";
const std::string kOverflow = "Variant overflow";

double day(int y, int m, int d) { return *encodeDate(y, m, d); }

struct TextCase {
  V value;
  std::string expected;  // the text, or the error message
};

TEST(ValueConvert, ToText) {
  const TextCase cases[] = {
      {V(), ""},
      {V::null(), kConversion},
      {V::integer(42), "42"},
      {V::integer(-2147483647 - 1), "-2147483648"},
      {V::real(0.1), "0.1"},
      {V::real(0.1 + 0.2), "0.3"},
      {V::real(2.5), "2.5"},
      {V::real(-0.0), "0"},
      {V::real(1.0 / 3.0), "0.333333333333333"},
      {V::real(123456789012345.0), "123456789012345"},
      {V::real(1e15), "1E+15"},
      {V::real(1234567890123456789.0), "1.23456789012346E+18"},
      {V::real(0.0001), "0.0001"},
      {V::real(0.000015), "1.5E-05"},
      {V::real(-1e-100), "-1E-100"},
      {V::real(2147483648.0), "2147483648"},
      {V::currency(12345), "1.2345"},
      {V::currency(10000), "1"},
      {V::currency(-5000), "-0.5"},
      {V::currency(std::numeric_limits<std::int64_t>::min()), "-922337203685477.5808"},
      {V::boolean(true), "-1"},
      {V::boolean(false), "0"},
      {V::date(day(2000, 1, 1)), "1/1/2000"},
      {V::date(day(2000, 1, 1) + 0.5), "1/1/2000 12:00:00 PM"},
      {V::date(day(1999, 12, 31) + 13.0 / 24 + 5.0 / 1440 + 9.0 / 86400), "12/31/1999 1:05:09 PM"},
      {V::date(0.25), "6:00:00 AM"},
      {V::date(0.0), "12/30/1899"},
      {V::date(-1.25), "12/29/1899 6:00:00 AM"},
      {V::date(day(2000, 1, 1) + 0.999999999), "1/2/2000"},  // rounds to the next midnight
      {V::date(3e6), kConversion},
      {V::date(2958465.9999999), kConversion},  // would round to 1/1/10000
      {V::string("ab c"), "ab c"},
      {V::array(2), kConversion},
  };
  for (const TextCase& c : cases) {
    std::string got;
    try {
      got = c.value.toText();
    } catch (const EVariantError& e) {
      got = e.what();
    }
    EXPECT_EQ(got, c.expected) << describe(c.value);
  }
}

struct IntegerCase {
  V value;
  std::int32_t expected;
  std::string error;
};

TEST(ValueConvert, ToIntegerRoundsHalfToEvenAndChecksRange) {
  const IntegerCase cases[] = {
      {V(), 0, ""},
      {V::real(2.5), 2, ""},
      {V::real(3.5), 4, ""},
      {V::real(-2.5), -2, ""},
      {V::real(-3.5), -4, ""},
      {V::real(2.4999), 2, ""},
      {V::real(2147483647.4), 2147483647, ""},
      {V::real(2147483647.5), 0, kOverflow},
      {V::real(-2147483648.5), -2147483647 - 1, ""},
      {V::real(-2147483649.0), 0, kOverflow},
      {V::real(std::nan("")), 0, kOverflow},
      {V::date(36526.75), 36527, ""},
      {V::currency(25000), 2, ""},
      {V::currency(35000), 4, ""},
      {V::currency(-25000), -2, ""},
      {V::currency(-35001), -4, ""},
      {V::currency(214748364800000), 0, kOverflow},
      {V::boolean(true), -1, ""},
      {V::string(" 12 "), 12, ""},
      {V::string("1,234"), 1234, ""},
      {V::string("-1.5e1"), -15, ""},
      {V::string("2.5"), 2, ""},
      {V::string("1e10"), 0, kOverflow},
      {V::string("abc"), 0, kConversion},
      {V::string(""), 0, kConversion},
      {V::null(), 0, kConversion},
      {V::array(1), 0, kConversion},
  };
  for (const IntegerCase& c : cases) {
    if (c.error.empty())
      EXPECT_EQ(c.value.toInteger(), c.expected) << describe(c.value);
    else
      EXPECT_EQ(errorOf([&] { c.value.toInteger(); }), c.error) << describe(c.value);
  }
}

struct NumberCase {
  const char* text;
  double expected;  // NAN: not a number
};

TEST(ValueText, ParseNumberAcceptsTheOleForms) {
  const NumberCase cases[] = {
      {"0", 0},
      {"  +1,234.5  ", 1234.5},
      {"1,2,3", 123},
      {"1.5E3", 1500},
      {"1.5e+3", 1500},
      {"25e-1", 2.5},
      {"-.5", -0.5},
      {"5.", 5},
      {"(5)", -5},
      {"( 5 )", -5},
      {"5-", -5},
      {"5 +", 5},
      {"$5", 5},
      {"-$5", -5},
      {"\t7\r\n", 7},
      {"", NAN},
      {"   ", NAN},
      {".", NAN},
      {",5", NAN},
      {"1e", NAN},
      {"1e+", NAN},
      {"--5", NAN},
      {"-5-", NAN},
      {"(-5)", NAN},
      {"(5", NAN},
      {"1 2", NAN},
      {"1.2.3", NAN},
      {"12abc", NAN},
      {"0x10", NAN},
      {"1.5,0", NAN},
  };
  for (const NumberCase& c : cases) {
    const std::optional<double> got = parseNumber(c.text);
    if (std::isnan(c.expected))
      EXPECT_FALSE(got.has_value()) << '"' << c.text << '"';
    else
      EXPECT_EQ(got, std::optional<double>(c.expected)) << '"' << c.text << '"';
  }
  EXPECT_TRUE(std::isinf(*parseNumber("1e999")));
  EXPECT_EQ(parseNumber("1e-999"), std::optional<double>(0.0));
}

TEST(ValueConvert, ToRealAndCurrency) {
  EXPECT_EQ(V::string("1e400").toText(), "1e400");
  EXPECT_EQ(errorOf([] { V::string("1e400").toReal(); }), kOverflow);
  EXPECT_EQ(V::currency(15000).toReal(), 1.5);
  EXPECT_EQ(V::boolean(true).toReal(), -1.0);
  EXPECT_EQ(V::real(1.03125).toCurrency(), 10312);  // 10312.5 ten-thousandths, to even
  EXPECT_EQ(V::real(1.09375).toCurrency(), 10938);
  EXPECT_EQ(V::integer(-3).toCurrency(), -30000);
  EXPECT_EQ(V::string("$1,000.25").toCurrency(), 10002500);
  EXPECT_EQ(errorOf([] { V::real(1e15).toCurrency(); }), kOverflow);
  EXPECT_EQ(errorOf([] { V::null().toReal(); }), kConversion);
}

TEST(ValueConvert, ToBoolean) {
  EXPECT_TRUE(V::string("True").toBoolean());
  EXPECT_TRUE(V::string("tRUE").toBoolean());
  EXPECT_FALSE(V::string(" false ").toBoolean());
  EXPECT_FALSE(V::string("0").toBoolean());
  EXPECT_TRUE(V::string("-2.5").toBoolean());
  EXPECT_FALSE(V::real(0.0).toBoolean());
  EXPECT_TRUE(V::currency(1).toBoolean());
  EXPECT_FALSE(V().toBoolean());
  EXPECT_EQ(errorOf([] { V::string("yes").toBoolean(); }), kConversion);
  EXPECT_EQ(errorOf([] { V::null().toBoolean(); }), kConversion);
}

struct DateCase {
  const char* text;
  double expected;  // NAN: not a date
};

TEST(ValueText, ParseDate) {
  const double jan2 = day(2000, 1, 2);
  const DateCase cases[] = {
      {"1/2/2000", jan2},
      {" 01/02/2000 ", jan2},
      {"1-2-2000", jan2},
      {"2000-01-02", jan2},
      {"2000/1/2", jan2},
      {"January 2, 2000", jan2},
      {"jan 2 2000", jan2},
      {"2 Jan 2000", jan2},
      {"1/2/99", day(1999, 1, 2)},
      {"1/2/29", day(2029, 1, 2)},
      {"1/2/30", day(1930, 1, 2)},
      {"2/29/2000", day(2000, 2, 29)},
      {"1/2/2000 3:04:05 PM", jan2 + (15 * 3600 + 4 * 60 + 5) / 86400.0},
      {"1/2/2000 15:04", jan2 + (15 * 60 + 4) / 1440.0},
      {"15:30", 15.5 / 24},
      {"12 AM", 0},
      {"12:00 PM", 0.5},
      {"12/29/1899 6:00", -1.25},
      {"2/29/1900", NAN},
      {"13/1/2000", NAN},
      {"0/1/2000", NAN},
      {"1/2/2000 25:00", NAN},
      {"1/2/2000 10:61", NAN},
      {"13 PM", NAN},
      {"1:2:3:4", NAN},
      {"Smarch 2, 2000", NAN},
      {"2000", NAN},
      {"", NAN},
      {"1/2/2000 x", NAN},
      {"1/2/123456", NAN},
  };
  for (const DateCase& c : cases) {
    const std::optional<double> got = parseDate(c.text);
    if (std::isnan(c.expected)) {
      EXPECT_FALSE(got.has_value()) << '"' << c.text << '"';
    } else {
      ASSERT_TRUE(got.has_value()) << '"' << c.text << '"';
      EXPECT_NEAR(*got, c.expected, 1e-9) << '"' << c.text << '"';
    }
  }
}

TEST(ValueConvert, DatesRoundTripThroughText) {
  for (double d : {day(100, 1, 1), day(1899, 12, 30) + 0.75, day(1969, 7, 20) + 0.25, day(9999, 12, 31)}) {
    const V date = V::date(d);
    EXPECT_NEAR(V::string(date.toText()).toDate(), d, 1e-9) << date.toText();
  }
  EXPECT_EQ(V::integer(36526).toDate(), 36526.0);
  EXPECT_EQ(errorOf([] { V::real(1e9).toDate(); }), kOverflow);
  EXPECT_EQ(errorOf([] { V::string("5").toDate(); }), kConversion);
}

TEST(ValueConvert, ConvertedToEachKind) {
  EXPECT_EQ(describe(V::string("12").convertedTo(ValueKind::Integer)), "Integer:12");
  EXPECT_EQ(describe(V::integer(1).convertedTo(ValueKind::Boolean)), "Boolean:true");
  EXPECT_EQ(describe(V::boolean(true).convertedTo(ValueKind::String)), "String:-1");
  EXPECT_EQ(describe(V::real(2.5).convertedTo(ValueKind::Currency)), "Currency:25000");
  EXPECT_EQ(errorOf([] { V::integer(1).convertedTo(ValueKind::Array); }), kConversion);
}

}  // namespace
}  // namespace ondrix::script
