#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace cw::ui {

enum class ControlKind {
  kButton,
  kCheckBox,
  kTextBox,
  kLabel,
  kLinkLabel,
  kFrame,
  kListBox,
  kPicture,
  kDriveList,
  kDirectoryList,
  kFileList,
};

enum class Event { kClick, kDblClick, kChange };

// Left, top, width, height in twips, relative to the control's container.
struct Twips {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// One line of a window's description.
struct ControlSpec {
  std::string name;
  ControlKind kind;
  std::string container;  // "" for the window itself
  std::string caption;    // caption, text, or fixed property (a file list's pattern)
  std::string tooltip;
  Twips position;
};

// The one description of a window, which every front end renders.
struct WindowSpec {
  std::string name;     // "frmMain"
  std::string caption;  // the window's own caption
  int width = 0;        // client area in twips
  int height = 0;
  std::string font;
  std::vector<ControlSpec> controls;  // in the order of laying out and creation
};

std::string_view kindName(ControlKind kind);

// A control as a model: its description, its current caption or text, and listeners that front
// ends use to follow changes. Events go to the owning window through the event sink.
class Control {
 public:
  explicit Control(const ControlSpec& spec) : spec_(spec), caption_(spec.caption) {}
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const ControlSpec& spec() const { return spec_; }
  const std::string& name() const { return spec_.name; }
  ControlKind kind() const { return spec_.kind; }

  // Caption of a button, label or frame; the text of a text box.
  const std::string& caption() const { return caption_; }
  void setCaption(std::string caption);

  // Back to the state the description gives (the window is unloaded or loaded afresh).
  virtual void reset();
  // The state lines that `show` prints and tests compare; none for most kinds.
  virtual void dump(std::string& out, std::string_view window) const;

  using Listener = std::function<void()>;
  void addListener(Listener listener) { listeners_.push_back(std::move(listener)); }
  void setEventSink(std::function<void(Event)> sink) { sink_ = std::move(sink); }
  // Fires an event as the toolkit would on a user action.
  void fire(Event event) {
    if (sink_) sink_(event);
  }

 protected:
  void changed() {
    for (auto& listener : listeners_) listener();
  }

 private:
  const ControlSpec& spec_;
  std::string caption_;
  std::vector<Listener> listeners_;
  std::function<void(Event)> sink_;
};

// Quotes a text for transcripts: "..." with \" for a quote and \n for CR LF (or a lone line end).
std::string quoteForTranscript(std::string_view text);

}  // namespace cw::ui
