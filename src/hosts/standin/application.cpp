#include "hosts/standin/application.h"

#include "base/failure.h"

namespace cw::standin {

Application::Application(std::unique_ptr<Document> document) : document_(std::move(document)) {}

Document& Application::document() {
  if (!document_) {
    throw Failure(err::kObjectVariableNotSet, "Object variable or With block variable not set");
  }
  return *document_;
}

void Application::setDocument(std::unique_ptr<Document> document) {
  document_ = std::move(document);
}

Frame& Frames::createFrame() {
  const int id = static_cast<int>(frames_.size());
  if (host_.hasDocument()) host_.document().record("createFrame " + std::to_string(id));
  frames_.push_back(std::make_unique<Frame>(host_, id));
  Frame& frame = *frames_.back();
  for (std::size_t i = 0; i < frameCreated.size(); ++i) frameCreated[i](frame);
  return frame;
}

bool Frames::showsWindow(const ui::Window& window) const {
  for (const auto& frame : frames_) {
    if (frame->window() == &window) return true;
  }
  return false;
}

}  // namespace cw::standin
