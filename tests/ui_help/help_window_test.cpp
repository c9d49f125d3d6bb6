#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "hosts/standin/standin.h"
#include "support/test_app.h"
#include "ui/help/frm_help.h"

namespace cw {
namespace {

using testing::TestApp;
using ui::Event;
using ui::FrmHelp;

bool isLive(TestApp& t, const ui::Window* window) {
  const auto& live = t.module.windows.live();
  return std::find(live.begin(), live.end(), window) != live.end();
}

TEST(HelpWindow, VersionLabelShowsTheProductVersionOnLoad) {
  TestApp t;
  t.command.OnCreate(&t.host);
  FrmHelp help(t.module.helpWindowParts());
  EXPECT_NE(help.txtVersion().caption(), "v2.19");  // the designed text until the window loads
  help.load();
  EXPECT_EQ(help.txtVersion().caption(), "v2.19");
  EXPECT_EQ(help.caption(), "CorbelwickBookmarks - Help");
  EXPECT_TRUE(t.toolkit.messages.empty());
}

TEST(HelpWindow, FrameIsMadeOnceAndCaptionedOnce) {
  TestApp t;
  t.command.OnCreate(&t.host);
  const std::size_t framesBefore = t.host.frames().all().size();
  FrmHelp help(t.module.helpWindowParts());

  standin::Frame* first = dynamic_cast<standin::Frame*>(help.Frame());
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->window(), &help);
  EXPECT_TRUE(help.isLoaded());
  EXPECT_EQ(first->caption(), "CorbelwickBookmarks - Help");
  EXPECT_FALSE(first->visible());

  first->setCaption("renamed by the user");
  EXPECT_EQ(help.Frame(), first);
  EXPECT_EQ(first->caption(), "renamed by the user");
  EXPECT_EQ(t.host.frames().all().size(), framesBefore + 1);
}

TEST(HelpWindow, EachQuestionMarkClickShowsAnotherFramedWindow) {
  TestApp t;
  t.start();
  const std::size_t framesBefore = t.host.frames().all().size();
  t.window().fire("btnHelp2", Event::kClick);
  t.window().fire("btnHelp2", Event::kClick);

  const auto& frames = t.host.frames().all();
  ASSERT_EQ(frames.size(), framesBefore + 2);
  ASSERT_EQ(t.module.windows.kept().size(), 2u);
  standin::Frame& a = *frames[framesBefore];
  standin::Frame& b = *frames[framesBefore + 1];
  for (standin::Frame* frame : {&a, &b}) {
    EXPECT_EQ(frame->caption(), "CorbelwickBookmarks - Help");
    EXPECT_TRUE(frame->visible());
    auto* help = dynamic_cast<FrmHelp*>(frame->window());
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->txtVersion().caption(), "v2.19");
    EXPECT_TRUE(isLive(t, help));
  }
  EXPECT_NE(a.window(), b.window());

  // Closing one leaves the other open.
  a.setVisible(false);
  EXPECT_TRUE(b.visible());
  EXPECT_TRUE(t.toolkit.messages.empty());
}

TEST(HelpWindow, OwnedWindowLeavesTheLiveListWhenDestroyed) {
  TestApp t;
  t.start();
  t.window().fire("btnHelp2", Event::kClick);
  ASSERT_EQ(t.module.windows.kept().size(), 1u);
  ui::Window* help = t.module.windows.kept()[0].get();
  EXPECT_TRUE(isLive(t, help));
  t.module.windows.dropKept();
  EXPECT_FALSE(isLive(t, help));
}

TEST(HelpWindow, EveryLinkOpensItsTarget) {
  TestApp t;
  t.start();
  FrmHelp help(t.module.helpWindowParts());
  help.load();
  struct Case {
    ui::Window* window;
    const char* control;
    const char* target;
  } cases[] = {
      {&help, "Label2", "http://www.corbelwickgis.example"},
      {&help, "Label3", "mailto:info@corbelwickgis.example"},
      {&help, "Label4",
       "http://www.corbelwickgis.example/Products/ArcGIS/CorbelwickBookmarks/index.htm"},
      {&help, "Label6", "http://www.corbelwickgis.example/forum/corbelwickbookmarks"},
      {&t.window(), "Image2", "http://www.corbelwickgis.example"},
  };
  for (const auto& c : cases) {
    t.toolkit.links.clear();
    EXPECT_TRUE(c.window->fire(c.control, Event::kClick)) << c.control;
    EXPECT_EQ(t.toolkit.links, std::vector<std::string>{c.target}) << c.control;
  }
  EXPECT_TRUE(t.toolkit.messages.empty());
}

TEST(HelpWindow, LinkLabelsShowTheirAddressesAndTooltips) {
  TestApp t;
  FrmHelp help(t.module.helpWindowParts());
  struct Case {
    const char* control;
    const char* text;
    const char* tooltip;
  } cases[] = {
      {"Label2", "http://www.corbelwickgis.example", "Click to visit us!"},
      {"Label3", "info@corbelwickgis.example", "Click to email us!"},
      {"Label6", "Product Forum", "Visit the CorbelwickGIS Forum discussion for this tool"},
      {"Label4", "Check for Updates", "Click to visit us!"},
  };
  for (const auto& c : cases) {
    const ui::Control& label = help.control(c.control);
    EXPECT_EQ(label.kind(), ui::ControlKind::kLinkLabel) << c.control;
    EXPECT_EQ(label.caption(), c.text) << c.control;
    EXPECT_EQ(label.spec().tooltip, c.tooltip) << c.control;
    EXPECT_EQ(label.spec().container, "Frame1") << c.control;
  }
}

TEST(HelpWindow, HelpButtonShowsTheWindowModallyUntilClosed) {
  TestApp t;
  t.start();
  const std::size_t framesBefore = t.host.frames().all().size();
  int shown = 0;
  const ui::Window* seen = nullptr;
  t.toolkit.modalDriver = [&](ui::Window& window) {
    ++shown;
    seen = &window;
    EXPECT_EQ(window.name(), "frmHelp");
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(isLive(t, &window));
    EXPECT_EQ(dynamic_cast<FrmHelp&>(window).txtVersion().caption(), "v2.19");
    window.fire("Label3", Event::kClick);
    window.closedByUser();
  };
  t.window().fire("btnHelp", Event::kClick);

  EXPECT_EQ(shown, 1);
  EXPECT_EQ(t.toolkit.links, std::vector<std::string>{"mailto:info@corbelwickgis.example"});
  EXPECT_FALSE(isLive(t, seen));
  EXPECT_EQ(t.host.frames().all().size(), framesBefore);
  EXPECT_TRUE(t.toolkit.messages.empty());
}

}  // namespace
}  // namespace cw
