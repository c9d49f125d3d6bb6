#include "ui/controls/window.h"

#include <cassert>
#include <stdexcept>

#include "ui/controls/list_box.h"
#include "ui/controls/simple_controls.h"

namespace cw::ui {

Window::Window(const WindowSpec& spec) : spec_(spec), caption_(spec.caption) {}

Window::~Window() = default;

std::unique_ptr<Control> Window::makeControl(const ControlSpec& spec) {
  switch (spec.kind) {
    case ControlKind::kButton:
      return std::make_unique<Button>(spec);
    case ControlKind::kCheckBox:
      return std::make_unique<CheckBox>(spec);
    case ControlKind::kTextBox:
      return std::make_unique<TextBox>(spec);
    case ControlKind::kLabel:
    case ControlKind::kLinkLabel:
      return std::make_unique<Label>(spec);
    case ControlKind::kFrame:
      return std::make_unique<Frame>(spec);
    case ControlKind::kListBox:
      return std::make_unique<ListBox>(spec);
    case ControlKind::kPicture:
      return std::make_unique<Picture>(spec);
    default:
      break;
  }
  throw std::logic_error("no model for control " + spec.name);
}

void Window::createControls() {
  assert(controls_.empty());
  for (const auto& spec : spec_.controls) {
    auto control = makeControl(spec);
    Control* raw = control.get();
    raw->setEventSink([this, raw](Event event) { fire(raw->name(), event); });
    byName_.emplace(spec.name, raw);
    controls_.push_back(std::move(control));
  }
}

Control& Window::control(std::string_view name) {
  auto it = byName_.find(name);
  if (it == byName_.end()) throw std::logic_error("no control " + std::string(name));
  return *it->second;
}

bool Window::hasControl(std::string_view name) const {
  return byName_.count(name) > 0;
}

void Window::on(std::string_view control, Event event, std::function<void()> handler) {
  assert(hasControl(control));
  handlers_[{std::string(control), event}] = std::move(handler);
}

bool Window::hasHandler(std::string_view control, Event event) const {
  return handlers_.count({std::string(control), event}) > 0;
}

bool Window::fire(std::string_view control, Event event) {
  auto it = handlers_.find({std::string(control), event});
  if (it == handlers_.end()) return false;
  auto handler = it->second;  // a handler may rebind or unload; keep our own copy
  handler();
  return true;
}

void Window::load() {
  for (auto& control : controls_) control->reset();
  caption_ = spec_.caption;
  loaded_ = true;
  changed();
  Form_Load();
}

void Window::unload() {
  for (auto& control : controls_) control->reset();
  loaded_ = false;
  visible_ = false;
  changed();
}

void Window::show() {
  if (!loaded_) load();
  visible_ = true;
  changed();
}

void Window::hide() {
  visible_ = false;
  changed();
}

void Window::setCaption(std::string caption) {
  caption_ = std::move(caption);
  changed();
}

std::string Window::dump() const {
  std::string out;
  for (const auto& control : controls_) control->dump(out, spec_.name);
  return out;
}

void Window::changed() {
  for (auto& listener : listeners_) listener();
}

}  // namespace cw::ui
