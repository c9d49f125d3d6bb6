#include "ui/controls/control.h"

#include "ui/controls/simple_controls.h"

namespace cw::ui {

std::string_view kindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::kButton:
      return "button";
    case ControlKind::kCheckBox:
      return "check box";
    case ControlKind::kTextBox:
      return "text box";
    case ControlKind::kLabel:
      return "label";
    case ControlKind::kLinkLabel:
      return "link label";
    case ControlKind::kFrame:
      return "frame";
    case ControlKind::kListBox:
      return "list box";
    case ControlKind::kPicture:
      return "picture";
    case ControlKind::kDriveList:
      return "drive list";
    case ControlKind::kDirectoryList:
      return "directory list";
    case ControlKind::kFileList:
      return "file list";
  }
  return "control";
}

void Control::setCaption(std::string caption) {
  if (caption == caption_) return;
  caption_ = std::move(caption);
  changed();
}

void Control::reset() {
  setCaption(spec_.caption);
}

void Control::dump(std::string&, std::string_view) const {}

std::string quoteForTranscript(std::string_view text) {
  std::string out = "\"";
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '"') {
      out += "\\\"";
    } else if (c == '\r') {
      out += "\\n";
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      out += "\\n";
    } else {
      out += c;
    }
  }
  out += '"';
  return out;
}

void TextBox::dump(std::string& out, std::string_view window) const {
  out += "TEXT " + std::string(window) + "." + name() + " " + quoteForTranscript(text()) + "\n";
}

void CheckBox::setValue(int value) {
  if (value == value_) return;
  value_ = value;
  changed();
}

void CheckBox::reset() {
  Control::reset();
  setValue(0);
}

void CheckBox::dump(std::string& out, std::string_view window) const {
  out += "CHECK " + std::string(window) + "." + name() + " " + std::to_string(value_) + "\n";
}

}  // namespace cw::ui
