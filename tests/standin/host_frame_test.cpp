#include <gtest/gtest.h>

#include "base/failure.h"
#include "hosts/standin/standin.h"
#include "ui/controls/window.h"

namespace cw::standin {
namespace {

const ui::WindowSpec& plainSpec() {
  static const ui::WindowSpec spec{"frmPlain", "Plain", 3000, 2000, "MS Sans Serif", {}};
  return spec;
}

class CountingWindow : public ui::Window {
 public:
  CountingWindow() : Window(plainSpec()) { createControls(); }
  int loads = 0;

 protected:
  void Form_Load() override { ++loads; }
};

Application hostWithTown() {
  return Application(loadDocument(R"({"dataFrames": [{"name": "Main Map"}]})"));
}

TEST(Frame, BindingLoadsTheWindowOnceAndKeepsIt) {
  CountingWindow window;
  Frame frame;
  frame.bind(window);
  EXPECT_TRUE(window.isLoaded());
  EXPECT_EQ(frame.window(), &window);
  frame.bind(window);
  EXPECT_EQ(window.loads, 1);
}

TEST(Frame, ShowingLoadsAnUnloadedWindowAgain) {
  CountingWindow window;
  Frame frame;
  frame.bind(window);
  frame.setVisible(true);
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(window.loads, 1);

  frame.setVisible(false);
  window.unload();
  EXPECT_FALSE(window.isVisible());
  frame.setVisible(true);
  EXPECT_TRUE(frame.visible());
  EXPECT_TRUE(window.isLoaded());
  EXPECT_EQ(window.loads, 2);
}

TEST(Frame, MoveKeepsTheSizeForZeroAndListenersHearChanges) {
  Frame frame;
  int heard = 0;
  frame.listeners.push_back([&] { ++heard; });
  frame.move(10, 20, 300, 200);
  frame.move(40, 50);
  frame.setCaption("CorbelwickBookmarks");
  frame.setVisible(true);
  EXPECT_EQ(frame.left(), 40);
  EXPECT_EQ(frame.top(), 50);
  EXPECT_EQ(frame.width(), 300);
  EXPECT_EQ(frame.height(), 200);
  EXPECT_EQ(frame.caption(), "CorbelwickBookmarks");
  EXPECT_EQ(heard, 4);
}

TEST(Application, CreatedFramesAreKeptAnnouncedAndLogTheirCalls) {
  Application host = hostWithTown();
  std::vector<Frame*> announced;
  host.frames().frameCreated.push_back([&](Frame& frame) { announced.push_back(&frame); });
  CountingWindow window;

  Frame& frame = host.frames().createFrame();
  frame.bind(window);
  frame.setCaption("CorbelwickBookmarks");
  frame.move(412, 230);
  frame.setVisible(true);

  ASSERT_EQ(host.frames().all().size(), 1u);
  EXPECT_EQ(host.frames().all()[0].get(), &frame);
  EXPECT_EQ(announced, std::vector<Frame*>{&frame});
  EXPECT_EQ(host.document().calls,
            (std::vector<std::string>{"createFrame 0", "frame 0 bind frmPlain",
                                      R"(frame 0 setCaption "CorbelwickBookmarks")",
                                      "frame 0 move 412 230 0 0", "frame 0 setVisible true"}));
}

TEST(Application, FailNextReachesFrameCalls) {
  Application host = hostWithTown();
  Frame& frame = host.frames().createFrame();
  host.document().failNext("frame 0 setVisible");
  EXPECT_THROW(frame.setVisible(true), Failure);
  EXPECT_FALSE(frame.visible());
}

TEST(Application, WithoutADocumentTheDocumentIsNotSet) {
  Application host(nullptr);
  EXPECT_FALSE(host.hasDocument());
  EXPECT_THROW(host.document(), Failure);
  host.setDocument(loadDocument(R"({"dataFrames": []})"));
  EXPECT_NO_THROW(host.document());
}

}  // namespace
}  // namespace cw::standin
