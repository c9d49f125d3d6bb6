#include "errors/failure.h"
#include "host/host.h"
#include "ui/controls/window.h"

namespace cw::host {

void HostFrame::bind(ui::Window& window) {
  record("bind " + window.name());
  // Kept before loading: the window's start-up may ask for its frame.
  window_ = &window;
  if (!window.isLoaded()) window.load();
  changed();
}

void HostFrame::setCaption(std::string caption) {
  record("setCaption " + quotedName(caption));
  caption_ = std::move(caption);
  changed();
}

void HostFrame::setVisible(bool visible) {
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

void HostFrame::move(int left, int top, int width, int height) {
  record("move " + std::to_string(left) + " " + std::to_string(top) + " " + std::to_string(width) +
         " " + std::to_string(height));
  left_ = left;
  top_ = top;
  if (width > 0) width_ = width;
  if (height > 0) height_ = height;
  changed();
}

void HostFrame::record(std::string call) {
  if (host_ && host_->hasDocument()) {
    host_->document().record("frame " + std::to_string(id_) + " " + call);
  }
}

void HostFrame::changed() {
  for (std::size_t i = 0; i < listeners.size(); ++i) listeners[i]();
}

MapHost::MapHost(std::unique_ptr<HostDocument> document) : document_(std::move(document)) {}

HostDocument& MapHost::document() {
  if (!document_) {
    throw Failure(err::kObjectVariableNotSet, "Object variable or With block variable not set");
  }
  return *document_;
}

void MapHost::setDocument(std::unique_ptr<HostDocument> document) {
  document_ = std::move(document);
}

HostFrame& MapHost::createFrame() {
  const int id = static_cast<int>(frames_.size());
  if (document_) document_->record("createFrame " + std::to_string(id));
  frames_.push_back(std::make_unique<HostFrame>(*this, id));
  HostFrame& frame = *frames_.back();
  for (std::size_t i = 0; i < frameCreated.size(); ++i) frameCreated[i](frame);
  return frame;
}

}  // namespace cw::host
