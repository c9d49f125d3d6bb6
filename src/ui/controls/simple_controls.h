#pragma once

#include "ui/controls/control.h"

namespace cw::ui {

class Button : public Control {
 public:
  using Control::Control;
};

class Label : public Control {
 public:
  using Control::Control;
};

class Frame : public Control {
 public:
  using Control::Control;
};

class Picture : public Control {
 public:
  using Control::Control;
};

// A text box; its text is the caption.
class TextBox : public Control {
 public:
  using Control::Control;
  const std::string& text() const { return caption(); }
  void setText(std::string text) { setCaption(std::move(text)); }
  void dump(std::string& out, std::string_view window) const override;
};

// A check box; value 1 is ticked, 0 cleared.
class CheckBox : public Control {
 public:
  using Control::Control;
  int value() const { return value_; }
  void setValue(int value);
  void reset() override;
  void dump(std::string& out, std::string_view window) const override;

 private:
  int value_ = 0;
};

}  // namespace cw::ui
