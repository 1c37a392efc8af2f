#pragma once
// ScriptValue: the tagged value held by every slot, constant, parameter cell and result.
//
// Sixteen bytes, no allocation for Empty, Null, Integer, Real, Currency, Date and Boolean. Strings
// and arrays live in reference-counted buffers (one thread only, so the counts are plain).
//
// Strings are append-only shared buffers: a value is a (buffer, length) pair and sees only the first
// `length` bytes. Appending to a value whose length is the buffer's whole content writes into the
// buffer in place even when other values share it, because they keep seeing their shorter prefix.
// So `s := s + 'x'`, which the compiler turns into copy, append, copy back, costs amortised O(1).
// Arrays are copied on write: storing an element into a shared array copies it first, so two slots
// never observe each other's changes.
//
// Host code may hand in 8- and 16-bit integers and single-precision reals; they are kept as Integer
// and Real. Currency is a 64-bit count of ten-thousandths. Date is a Real counting days from
// 12/30/1899, with the time as the fraction.

#include <bit>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ondrix::script {

inline constexpr std::size_t kDefaultMaxStringLength = 0x7FFFFFFF;

enum class ValueKind : std::uint8_t { Empty, Null, Integer, Real, Currency, Date, Boolean, String, Array };

// The kind's name as listings and diagnostics show it ("Integer", "String", ...).
std::string_view kindName(ValueKind kind);

// The narrow members of a value are the low part of its 8-byte word.
static_assert(std::endian::native == std::endian::little);

class ScriptValue {
 public:
  // Empty.
  ScriptValue() noexcept : real_(0) {}

  static ScriptValue null() noexcept { return ScriptValue(ValueKind::Null); }
  // Integers and booleans are written as the whole 8-byte word (the narrow member is its low
  // part), so copying the value right after reads back one complete store.
  static ScriptValue integer(std::int32_t v) noexcept {
    ScriptValue r(ValueKind::Integer);
    r.currency_ = static_cast<std::int64_t>(static_cast<std::uint32_t>(v));
    return r;
  }
  static ScriptValue real(double v) noexcept {
    ScriptValue r(ValueKind::Real);
    r.real_ = v;
    return r;
  }
  // `scaled` is the amount times 10000.
  static ScriptValue currency(std::int64_t scaled) noexcept {
    ScriptValue r(ValueKind::Currency);
    r.currency_ = scaled;
    return r;
  }
  static ScriptValue date(double days) noexcept {
    ScriptValue r(ValueKind::Date);
    r.real_ = days;
    return r;
  }
  static ScriptValue boolean(bool v) noexcept {
    ScriptValue r(ValueKind::Boolean);
    r.currency_ = v ? 1 : 0;
    return r;
  }
  static ScriptValue string(std::string_view text);
  // An array of `count` Empty elements, indices 0..count-1.
  static ScriptValue array(std::size_t count);

  ScriptValue(const ScriptValue& other) noexcept : kind_(other.kind_), length_(other.length_) {
    currency_ = other.currency_;  // copies the widest member, whatever the kind
    if (isShared()) retain();
  }
  ScriptValue(ScriptValue&& other) noexcept : kind_(other.kind_), length_(other.length_) {
    currency_ = other.currency_;
    other.kind_ = ValueKind::Empty;
    other.length_ = 0;
  }
  // Numbers, booleans and empty strings own nothing: between two such values an assignment is a
  // plain copy of the fields (the machine's hot path).
  ScriptValue& operator=(const ScriptValue& other) noexcept {
    if (!isShared() && !other.isShared()) {
      copyFields(other);
    } else if (this != &other) {
      ScriptValue copy(other);
      swap(copy);
    }
    return *this;
  }
  ScriptValue& operator=(ScriptValue&& other) noexcept {
    if (this == &other) return *this;
    if (!isShared()) {
      copyFields(other);
      other.kind_ = ValueKind::Empty;
      other.length_ = 0;
    } else {
      ScriptValue moved(std::move(other));
      swap(moved);
    }
    return *this;
  }
  ~ScriptValue() {
    if (isShared()) release();
  }
  void swap(ScriptValue& other) noexcept {
    std::swap(kind_, other.kind_);
    std::swap(length_, other.length_);
    std::swap(currency_, other.currency_);
  }

  ValueKind kind() const noexcept { return kind_; }
  bool isEmpty() const noexcept { return kind_ == ValueKind::Empty; }
  bool isNull() const noexcept { return kind_ == ValueKind::Null; }
  bool isInteger() const noexcept { return kind_ == ValueKind::Integer; }
  bool isString() const noexcept { return kind_ == ValueKind::String; }
  bool isArray() const noexcept { return kind_ == ValueKind::Array; }

  // Raw contents; each is valid only for the kinds named.
  std::int32_t integerValue() const noexcept { return int_; }  // Integer
  double realValue() const noexcept { return real_; }          // Real, Date
  std::int64_t currencyValue() const noexcept { return currency_; }  // Currency
  bool booleanValue() const noexcept { return bool_; }         // Boolean
  std::string_view stringValue() const noexcept;               // String

  // Arrays. element() and setElement() throw "Variant is not an array" for any other kind and
  // "Variant array index out of bounds" for an index outside 0..size-1.
  std::size_t arraySize() const;
  const ScriptValue& element(std::size_t index) const;
  void setElement(std::size_t index, ScriptValue value);

  // Appends to a String in place (see the top of this file). Precondition: kind String.
  void append(std::string_view text);

  // Strings longer than this fail with "Out of memory" instead of exhausting the machine's memory.
  // The default is 2^31 - 1 bytes; tests and fuzzing lower it.
  static void setMaxStringLength(std::size_t length);
  static std::size_t maxStringLength();

  // Conversions by the OLE Automation rules under fixed en-US conventions (value_convert.cpp).
  // They throw EVariantError "Invalid variant type conversion" for an impossible conversion and
  // "Variant overflow" for a result out of the target's range.
  std::int32_t toInteger() const;   // Reals and Currency round half to even
  double toReal() const;            // also a Date's day count
  std::int64_t toCurrency() const;  // ten-thousandths, rounded half to even
  double toDate() const;
  bool toBoolean() const;
  std::string toText() const;
  ScriptValue convertedTo(ValueKind kind) const;

  // Same kind and same content (strings byte by byte, arrays element by element); no conversion,
  // no error. For tests and tables, not for the language's `=`, which is in value_ops.h.
  bool identical(const ScriptValue& other) const;

 private:
  struct StringBuffer;
  struct ArrayBuffer;

  explicit ScriptValue(ValueKind kind) noexcept : kind_(kind), real_(0) {}
  bool isShared() const noexcept {
    return (kind_ == ValueKind::String && string_ != nullptr) || kind_ == ValueKind::Array;
  }
  void copyFields(const ScriptValue& other) noexcept {
    kind_ = other.kind_;
    length_ = other.length_;
    currency_ = other.currency_;  // the widest member, whatever the kind
  }
  void retain() noexcept;
  void release() noexcept;
  ArrayBuffer& ownArray();

  ValueKind kind_ = ValueKind::Empty;
  std::uint32_t length_ = 0;  // String: how many bytes of the buffer this value holds
  union {
    std::int32_t int_;
    double real_;
    std::int64_t currency_;
    bool bool_;
    StringBuffer* string_;  // null for the empty string
    ArrayBuffer* array_;
  };
};

static_assert(sizeof(ScriptValue) == 16, "a value is meant to be two machine words");

}  // namespace ondrix::script
