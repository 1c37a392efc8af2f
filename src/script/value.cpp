#include "script/value.h"

#include <algorithm>
#include <limits>

#include "script/script_error.h"

namespace ondrix::script {

// A string buffer shared by the values that hold a prefix of it. `text` only ever grows while
// shared; each value knows its own length.
struct ScriptValue::StringBuffer {
  std::uint32_t refs = 1;
  std::string text;
};

struct ScriptValue::ArrayBuffer {
  std::uint32_t refs = 1;
  std::vector<ScriptValue> items;
};

namespace {

std::size_t maxLength = kDefaultMaxStringLength;

[[noreturn]] void tooLong() { throw EScriptError(errtext::kOutOfMemory); }

}  // namespace

void ScriptValue::setMaxStringLength(std::size_t length) {
  maxLength = std::min<std::size_t>(length, std::numeric_limits<std::uint32_t>::max());
}

std::size_t ScriptValue::maxStringLength() { return maxLength; }

std::string_view kindName(ValueKind kind) {
  switch (kind) {
    case ValueKind::Empty: return "Empty";
    case ValueKind::Null: return "Null";
    case ValueKind::Integer: return "Integer";
    case ValueKind::Real: return "Real";
    case ValueKind::Currency: return "Currency";
    case ValueKind::Date: return "Date";
    case ValueKind::Boolean: return "Boolean";
    case ValueKind::String: return "String";
    case ValueKind::Array: return "Array";
  }
  return "?";
}

ScriptValue ScriptValue::string(std::string_view text) {
  if (text.size() > maxLength) tooLong();
  ScriptValue r(ValueKind::String);
  r.string_ = nullptr;
  if (!text.empty()) {
    r.string_ = new StringBuffer{1, std::string(text)};
    r.length_ = static_cast<std::uint32_t>(text.size());
  }
  return r;
}

ScriptValue ScriptValue::array(std::size_t count) {
  ScriptValue r(ValueKind::Array);
  r.array_ = new ArrayBuffer{1, std::vector<ScriptValue>(count)};
  return r;
}

std::string_view ScriptValue::stringValue() const noexcept {
  if (string_ == nullptr) return {};
  return std::string_view(string_->text.data(), length_);
}

void ScriptValue::retain() noexcept {
  if (kind_ == ValueKind::String)
    ++string_->refs;
  else
    ++array_->refs;
}

void ScriptValue::release() noexcept {
  if (kind_ == ValueKind::String) {
    if (--string_->refs == 0) delete string_;
  } else if (--array_->refs == 0) {
    delete array_;
  }
}

void ScriptValue::append(std::string_view text) {
  if (text.empty()) return;
  if (text.size() > maxLength - std::min<std::size_t>(length_, maxLength)) tooLong();
  if (string_ == nullptr) {
    *this = string(text);
    return;
  }
  if (length_ != string_->text.size()) {
    if (string_->refs == 1) {
      string_->text.resize(length_);  // nobody else sees the tail
    } else {
      // Another value has already extended the buffer past this one: start a buffer of our own.
      auto* own = new StringBuffer{1, std::string(stringValue())};
      release();
      string_ = own;
    }
  }
  const char* base = string_->text.data();
  if (text.data() >= base && text.data() < base + string_->text.size()) {
    const std::string copy(text);  // appending a piece of the same buffer, which may move
    string_->text.append(copy);
  } else {
    string_->text.append(text);
  }
  length_ += static_cast<std::uint32_t>(text.size());
}

std::size_t ScriptValue::arraySize() const {
  if (kind_ != ValueKind::Array) throw EVariantError(errtext::kVariantNotArray);
  return array_->items.size();
}

const ScriptValue& ScriptValue::element(std::size_t index) const {
  if (index >= arraySize()) throw EVariantError(errtext::kArrayIndexOutOfBounds);
  return array_->items[index];
}

ScriptValue::ArrayBuffer& ScriptValue::ownArray() {
  if (array_->refs > 1) {
    auto* copy = new ArrayBuffer{1, array_->items};
    release();
    array_ = copy;
  }
  return *array_;
}

void ScriptValue::setElement(std::size_t index, ScriptValue value) {
  if (index >= arraySize()) throw EVariantError(errtext::kArrayIndexOutOfBounds);
  ownArray().items[index] = std::move(value);
}

bool ScriptValue::identical(const ScriptValue& other) const {
  if (kind_ != other.kind_) return false;
  switch (kind_) {
    case ValueKind::Empty:
    case ValueKind::Null: return true;
    case ValueKind::Integer: return int_ == other.int_;
    case ValueKind::Real:
    case ValueKind::Date: return real_ == other.real_;
    case ValueKind::Currency: return currency_ == other.currency_;
    case ValueKind::Boolean: return bool_ == other.bool_;
    case ValueKind::String: return stringValue() == other.stringValue();
    case ValueKind::Array: {
      if (array_->items.size() != other.array_->items.size()) return false;
      for (std::size_t i = 0; i < array_->items.size(); ++i)
        if (!array_->items[i].identical(other.array_->items[i])) return false;
      return true;
    }
  }
  return false;
}

}  // namespace ondrix::script
