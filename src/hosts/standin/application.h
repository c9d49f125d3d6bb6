#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "host/host_frame.h"
#include "host/map_host.h"
#include "hosts/standin/document.h"
#include "hosts/standin/frame.h"

namespace cw::standin {

class Application;

// The frames an application hands out; front ends hear of each new one to show it.
class Frames : public host::FrameProvider {
 public:
  explicit Frames(Application& host) : host_(host) {}
  Frame& createFrame() override;  // logged
  bool showsWindow(const ui::Window& window) const override;
  const std::vector<std::unique_ptr<Frame>>& all() const { return frames_; }
  std::vector<std::function<void(Frame&)>> frameCreated;

 private:
  Application& host_;
  std::vector<std::unique_ptr<Frame>> frames_;
};

// The running stand-in application: its document, and the frames it hands out.
class Application : public host::MapHost {
 public:
  explicit Application(std::unique_ptr<Document> document);
  Application(const Application&) = delete;  // frames point back to their host
  Application& operator=(const Application&) = delete;
  Document& document() override;
  bool hasDocument() const override { return document_ != nullptr; }
  void setDocument(std::unique_ptr<Document> document);
  Frames& frames() override { return frames_; }

 private:
  std::unique_ptr<Document> document_;
  Frames frames_{*this};
};

}  // namespace cw::standin
