#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace quorvane {

// The subtype of a value read from the mission database or computed by the
// compiler. It decides how the value is written: a Single prints with 7
// significant digits, a Double with 15.
enum class VariantType : uint8_t {
  kEmpty,
  kNull,
  kBoolean,
  kByte,
  kInteger,  // 16-bit signed
  kLong,     // 32-bit signed
  kSingle,
  kDouble,
  kCurrency,  // 64-bit fixed point, four decimals
  kDecimal,   // exact decimal, kept as its text
  kDate,      // days since 1899-12-30, time as the fraction
  kString,    // UTF-8 text
};

// A value takes 16 bytes: loaded tables hold one per cell. Text is kept once,
// shared by the copies of a value.
class Variant {
 public:
  Variant() = default;  // Empty
  Variant(const Variant& other) : type_(other.type_), value_(other.value_) { Retain(); }
  Variant(Variant&& other) noexcept : type_(other.type_), value_(other.value_) {
    other.type_ = VariantType::kEmpty;
  }
  Variant& operator=(const Variant& other) {
    Variant copy(other);
    Swap(copy);
    return *this;
  }
  Variant& operator=(Variant&& other) noexcept {
    Variant moved(std::move(other));
    Swap(moved);
    return *this;
  }
  ~Variant() { Release(); }

  static Variant Null();
  static Variant Boolean(bool value);
  static Variant Byte(uint8_t value);
  static Variant Integer(int16_t value);
  static Variant Long(int32_t value);
  static Variant Single(float value);
  static Variant Double(double value);
  static Variant CurrencyScaled(int64_t ten_thousandths);
  // An exact decimal number, given as its decimal text ("-12.50").
  static Variant Decimal(std::string_view decimal_text);
  static Variant Date(double serial_days);
  static Variant String(std::string_view text);

  VariantType type() const { return type_; }
  bool IsNull() const { return type_ == VariantType::kNull; }
  bool IsEmpty() const { return type_ == VariantType::kEmpty; }
  bool IsString() const { return type_ == VariantType::kString; }
  // True for every numeric subtype, Boolean and Date included.
  bool IsNumeric() const;

  // Raw accessors; each requires the matching subtype.
  bool boolean_value() const {
    Require(type_ == VariantType::kBoolean);
    return value_.boolean;
  }
  // Byte, Integer, Long, Currency (scaled)
  int64_t integer_value() const {
    Require(type_ == VariantType::kByte || type_ == VariantType::kInteger ||
            type_ == VariantType::kLong || type_ == VariantType::kCurrency);
    return value_.integer;
  }
  // Single, Double, Date
  double real_value() const {
    Require(type_ == VariantType::kSingle || type_ == VariantType::kDouble ||
            type_ == VariantType::kDate);
    return value_.real;
  }
  // String, Decimal
  std::string_view text_value() const {
    Require(HoldsText());
    return value_.text->view();
  }

  // Conversions of the runtime. Null raises "Invalid use of Null"; a text that
  // is not a number raises "Type mismatch"; out of range raises "Overflow".
  double ToDouble() const;
  int16_t ToInteger() const;   // rounds half to even
  int32_t ToLong() const;      // rounds half to even
  std::string ToText() const;  // the joined form; Null raises "Invalid use of Null"

  // A Boolean True, or a number equal to -1 (the Yes/No test "is true").
  bool IsTrue() const;

 private:
  // Text shared by the copies of one value.
  struct Text {
    std::atomic<uint32_t> references;
    uint32_t size;
    std::string_view view() const { return {reinterpret_cast<const char*>(this + 1), size}; }
  };
  union Payload {
    bool boolean;
    int64_t integer;
    double real;
    Text* text;
  };

  static Payload MakeText(std::string_view text);
  static Payload WholeNumber(int64_t value) { return Payload{.integer = value}; }
  static Payload RealNumber(double value) { return Payload{.real = value}; }
  // Raises std::bad_variant_access unless `holds`.
  static void Require(bool holds);
  bool HoldsText() const { return type_ == VariantType::kString || type_ == VariantType::kDecimal; }
  void Retain() {
    if (HoldsText()) value_.text->references.fetch_add(1, std::memory_order_relaxed);
  }
  void Release();
  void Swap(Variant& other) noexcept {
    std::swap(type_, other.type_);
    std::swap(value_, other.value_);
  }
  Variant(VariantType type, Payload value) : type_(type), value_(value) {}

  VariantType type_ = VariantType::kEmpty;
  Payload value_{};
};

// Text forms of a value in output lines.
// Printed: a number with a leading blank (or minus sign), no leading zero
// before the point and a trailing blank (" 3 ", "-2.5 ", " .5 "); Boolean as
// True/False; Null as "Null"; Empty as nothing; text unchanged.
std::string PrintedForm(const Variant& value);
// Joined: a number in its plain decimal form ("3", "-2.5", "0.5"); Boolean as
// True/False; Null and Empty as nothing; text unchanged.
std::string JoinedForm(const Variant& value);

// Comparisons the compiler makes itself: exact and case-sensitive. A Null is
// never equal to anything. A text constant against a number compares with the
// number's joined form; a number constant against a text reads the text as a
// number (a text that is not a number is a type mismatch).
bool EqualsText(const Variant& value, std::string_view text);
bool EqualsNumber(const Variant& value, double number);
// -1, 0 or 1 comparing the value with the number; nullopt when the value is Null.
std::optional<int> CompareWithNumber(const Variant& value, double number);

// Checked 16-bit and 32-bit arithmetic: an out-of-range result raises "Overflow".
int16_t CheckedInteger(int64_t value);
int32_t CheckedLong(int64_t value);

}  // namespace quorvane
