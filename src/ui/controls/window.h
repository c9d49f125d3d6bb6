#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/controls/control.h"

namespace cw::ui {

// A window independent of any toolkit: it owns its controls as models, built from its one
// description, and binds events to its named handlers. Front ends render the models and
// forward user actions through fire().
class Window {
 public:
  explicit Window(const WindowSpec& spec);
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  const WindowSpec& spec() const { return spec_; }
  const std::string& name() const { return spec_.name; }

  // The control of that name; an unknown name is a programming error.
  Control& control(std::string_view name);
  template <class T>
  T& get(std::string_view name) {
    return dynamic_cast<T&>(control(name));
  }
  bool hasControl(std::string_view name) const;
  const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }

  // Runs the handler bound to this control and event; false when there is none.
  bool fire(std::string_view control, Event event);
  bool hasHandler(std::string_view control, Event event) const;

  // Loading resets every control to its description and runs Form_Load; unloading discards
  // the controls' contents. The window object itself lives on.
  void load();
  void unload();
  bool isLoaded() const { return loaded_; }

  // Shown or hidden (a modal window's showing ends when it is hidden).
  bool isVisible() const { return visible_; }
  void show();
  void hide();

  // The close control of the window's own frame or title bar; hides the window unless the
  // window decides otherwise.
  virtual void closedByUser() { hide(); }

  const std::string& caption() const { return caption_; }
  void setCaption(std::string caption);

  // Lines for every list, text and check box: the state that `show` prints.
  std::string dump() const;

  using Listener = std::function<void()>;
  void addListener(Listener listener) { listeners_.push_back(std::move(listener)); }

 protected:
  void on(std::string_view control, Event event, std::function<void()> handler);
  virtual void Form_Load() {}
  // Creates the model of one control; windows with special controls override it.
  virtual std::unique_ptr<Control> makeControl(const ControlSpec& spec);
  // Builds the controls; a derived window calls it once in its constructor.
  void createControls();

 private:
  void changed();

  const WindowSpec& spec_;
  std::vector<std::unique_ptr<Control>> controls_;
  std::map<std::string, Control*, std::less<>> byName_;
  std::map<std::pair<std::string, Event>, std::function<void()>> handlers_;
  std::vector<Listener> listeners_;
  std::string caption_;
  bool loaded_ = false;
  bool visible_ = false;
};

}  // namespace cw::ui
