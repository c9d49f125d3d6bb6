// The command driven by a host of its own, not the stand-in: the core needs nothing but the
// interfaces in src/host.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "base/failure.h"
#include "command/corbelwick_bookmarks.h"
#include "command/module.h"
#include "frontends/headless/headless_toolkit.h"
#include "host/host.h"
#include "support/temp_drives.h"
#include "ui/controls/window.h"
#include "ui/main/frm_main.h"

namespace cw {
namespace {

[[noreturn]] void outOfRange() {
  throw Failure(err::kSubscriptOutOfRange, "Subscript out of range");
}

class FeatureLayer : public host::HostLayer {
 public:
  std::string name() const override { return "Roads"; }
  bool visible() const override { return visible_; }
  void setVisible(bool visible) override { visible_ = visible; }
  bool isGroupLayer() const override { return false; }
  bool isFeatureLayer() const override { return true; }
  int memberCount() const override { return 0; }
  host::HostLayer& member(int) override { outOfRange(); }

 private:
  bool visible_ = true;
};

// A data frame without bookmarks that counts how often the data check asks for its layers.
class CountingDataFrame : public host::DataFrame {
 public:
  CountingDataFrame(std::string name, int layers) : name_(std::move(name)), layers_(layers) {}
  int layerQueries = 0;

  std::string name() const override { return name_; }
  int layerCount() const override { return static_cast<int>(layers_.size()); }
  host::HostLayer& layer(int index) override {
    if (index < 0 || index >= layerCount()) outOfRange();
    return layers_[static_cast<std::size_t>(index)];
  }
  int queryLayerCount() override {
    ++layerQueries;
    return layerCount();
  }
  void restartBookmarks() override {}
  host::SpatialBookmark* nextBookmark() override { return nullptr; }
  bool isPageLayout() const override { return false; }
  host::Envelope extent() const override { return extent_; }
  void setExtent(const host::Envelope& extent) override { extent_ = extent; }
  void invalidate(host::DrawPhase, const void*) override {}
  host::DataFrame& focusMap() override { return *this; }

 private:
  std::string name_;
  std::vector<FeatureLayer> layers_;
  host::Envelope extent_;
};

class EmptyLayout : public host::PageLayout {
 public:
  explicit EmptyLayout(host::HostDocument& document) : document_(document) {}
  void restartElements() override {}
  host::LayoutElement* nextElement() override { return nullptr; }
  void refreshLegend(host::LayoutElement&) override {}
  void fitLegend(host::LayoutElement&, const host::Envelope&, bool& changed) override {
    changed = false;
  }
  bool isPageLayout() const override { return true; }
  host::Envelope extent() const override { return {0, 0, 8.5, 11}; }
  void setExtent(const host::Envelope&) override {}
  void invalidate(host::DrawPhase, const void*) override {}
  host::DataFrame& focusMap() override { return document_.focusMap(); }

 private:
  host::HostDocument& document_;
};

class CountingDocument : public host::HostDocument {
 public:
  explicit CountingDocument(const std::vector<int>& layersPerFrame) {
    for (int layers : layersPerFrame) {
      frames.push_back(
          std::make_unique<CountingDataFrame>("Map " + std::to_string(frames.size()), layers));
    }
  }
  std::vector<std::unique_ptr<CountingDataFrame>> frames;
  int countQueries = 0;

  int dataFrameCount() const override { return static_cast<int>(frames.size()); }
  host::DataFrame& dataFrame(int index) override {
    if (index < 0 || index >= dataFrameCount()) outOfRange();
    return *frames[static_cast<std::size_t>(index)];
  }
  int queryDataFrameCount() override {
    ++countQueries;
    return dataFrameCount();
  }
  host::DataFrame& focusMap() override {
    if (frames.empty()) {
      throw Failure(err::kObjectVariableNotSet, "Object variable or With block variable not set");
    }
    return *frames[0];
  }
  host::HostView& activeView() override { return focusMap(); }
  host::DataFrame& activeDataFrame() override { return focusMap(); }
  host::PageLayout& pageLayout() override { return layout_; }
  void refreshContentsView() override {}

 private:
  EmptyLayout layout_{*this};
};

class PlainFrame : public host::HostFrame {
 public:
  ui::Window* window = nullptr;
  std::string caption;
  bool visible = false;

  void bind(ui::Window& w) override {
    window = &w;
    if (!w.isLoaded()) w.load();
  }
  void setCaption(std::string text) override { caption = std::move(text); }
  void setVisible(bool show) override {
    visible = show;
    if (!window) return;
    if (show) {
      window->show();
    } else {
      window->hide();
    }
  }
  void move(int, int, int, int) override {}
};

// The application and the maker of its frames in one.
class PlainHost : public host::MapHost, public host::FrameProvider {
 public:
  explicit PlainHost(const std::vector<int>& layersPerFrame) : document_(layersPerFrame) {}
  std::vector<std::unique_ptr<PlainFrame>> made;

  CountingDocument& document() override { return document_; }
  bool hasDocument() const override { return true; }
  host::FrameProvider& frames() override { return *this; }
  host::HostFrame& createFrame() override {
    made.push_back(std::make_unique<PlainFrame>());
    return *made.back();
  }
  bool showsWindow(const ui::Window& window) const override {
    for (const auto& frame : made) {
      if (frame->window == &window) return true;
    }
    return false;
  }

 private:
  CountingDocument document_;
};

TEST(OtherHost, TheDataCheckAsksEveryFrameOnceAndTheWindowOpensInTheHostsFrame) {
  struct Case {
    const char* what;
    std::vector<int> layersPerFrame;
    bool passes;
  };
  const std::vector<Case> cases = {
      {"no data frame", {}, false},
      {"only empty frames", {0, 0}, false},
      {"a layer in the last frame", {0, 0, 1}, true},
      {"layers in the first frame", {2, 0}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testing::TempDrives drives("C", "C");
    headless::HeadlessToolkit toolkit;
    PlainHost host(c.layersPerFrame);
    Module module(drives.fs(), toolkit, toolkit, host);
    CorbelwickBookmarks command(module);
    command.OnCreate(&host);
    command.OnClick();

    CountingDocument& document = host.document();
    EXPECT_EQ(module.session.HostDocument, &document);
    EXPECT_EQ(document.countQueries, 1);
    for (const auto& frame : document.frames) EXPECT_EQ(frame->layerQueries, 1) << frame->name();
    if (c.passes) {
      EXPECT_TRUE(toolkit.messages.empty());
      ASSERT_EQ(host.made.size(), 1u);
      const PlainFrame& frame = *host.made[0];
      ASSERT_NE(module.mainWindow, nullptr);
      EXPECT_EQ(frame.window, module.mainWindow.get());
      EXPECT_EQ(frame.caption, "CorbelwickBookmarks");
      EXPECT_TRUE(frame.visible);
      EXPECT_TRUE(module.mainWindow->isVisible());
    } else {
      EXPECT_EQ(toolkit.messages,
                (std::vector<std::string>{"Please add data before using CorbelwickBookmarks."}));
      EXPECT_TRUE(host.made.empty());
    }
  }
}

}  // namespace
}  // namespace cw
