#include "hosts/standin/frame.h"

#include "base/failure.h"
#include "hosts/standin/application.h"
#include "hosts/standin/text_forms.h"
#include "ui/controls/window.h"

namespace cw::standin {

void Frame::bind(ui::Window& window) {
  record("bind " + window.name());
  // Kept before loading: the window's start-up may ask for its frame.
  window_ = &window;
  if (!window.isLoaded()) window.load();
  changed();
}

void Frame::setCaption(std::string caption) {
  record("setCaption " + quotedName(caption));
  caption_ = std::move(caption);
  changed();
}

void Frame::setVisible(bool visible) {
  record(std::string("setVisible ") + (visible ? "true" : "false"));
  if (window_) {
    if (visible) {
      window_->show();
    } else {
      window_->hide();
    }
  }
  visible_ = visible;
  changed();
}

void Frame::move(int left, int top, int width, int height) {
  record("move " + std::to_string(left) + " " + std::to_string(top) + " " + std::to_string(width) +
         " " + std::to_string(height));
  left_ = left;
  top_ = top;
  if (width > 0) width_ = width;
  if (height > 0) height_ = height;
  changed();
}

void Frame::record(std::string call) {
  if (host_ && host_->hasDocument()) {
    host_->document().record("frame " + std::to_string(id_) + " " + call);
  }
}

void Frame::changed() {
  for (std::size_t i = 0; i < listeners.size(); ++i) listeners[i]();
}

}  // namespace cw::standin
