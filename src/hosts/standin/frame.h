#pragma once

#include <functional>
#include <string>
#include <vector>

#include "host/host_frame.h"

namespace cw::standin {

class Application;

class Frame : public host::HostFrame {
 public:
  Frame() = default;
  // A frame handed out by an application logs its calls into its document as "frame N ...".
  Frame(Application& host, int id) : host_(&host), id_(id) {}
  void bind(ui::Window& window) override;
  ui::Window* window() const { return window_; }
  void setCaption(std::string caption) override;
  const std::string& caption() const { return caption_; }
  // After the window was unloaded, the next showing runs its start-up again.
  void setVisible(bool visible) override;
  bool visible() const { return visible_; }
  void move(int left, int top, int width = 0, int height = 0) override;
  int left() const { return left_; }
  int top() const { return top_; }
  int width() const { return width_; }
  int height() const { return height_; }

  std::vector<std::function<void()>> listeners;

 private:
  void record(std::string call);
  void changed();
  Application* host_ = nullptr;
  int id_ = 0;
  ui::Window* window_ = nullptr;
  std::string caption_;
  bool visible_ = false;
  int left_ = 0;
  int top_ = 0;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace cw::standin
