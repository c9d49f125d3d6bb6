#pragma once

#include <string>
#include <string_view>
#include <variant>

namespace cw::store {

// One field of a list file: empty, text or number. Text is UTF-8 in memory.
class Field {
 public:
  Field() = default;  // empty
  static Field text(std::string value) { return Field(Kind::kText, std::move(value), 0.0); }
  static Field number(double value) { return Field(Kind::kNumber, {}, value); }

  bool isEmpty() const { return kind_ == Kind::kEmpty; }
  bool isText() const { return kind_ == Kind::kText; }
  bool isNumber() const { return kind_ == Kind::kNumber; }

  // The text of a text field; "" for an empty field; the written form of a number.
  std::string asText() const;
  // The value of a number field; 0 for an empty field; a numeric text converts, other text
  // fails with a type mismatch.
  double asNumber() const;
  const std::string& textValue() const { return text_; }
  double numberValue() const { return number_; }

  // The reader's comparison with a text value: exact and case-sensitive; an empty field equals
  // the empty text; a number never equals a text.
  bool equals(std::string_view value) const;
  // Same kind and same value.
  bool operator==(const Field& other) const;

 private:
  enum class Kind { kEmpty, kText, kNumber };
  Field(Kind kind, std::string text, double number)
      : kind_(kind), text_(std::move(text)), number_(number) {}
  Kind kind_ = Kind::kEmpty;
  std::string text_;
  double number_ = 0.0;
};

}  // namespace cw::store
