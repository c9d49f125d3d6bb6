#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_app.h"

namespace cw::ui {
namespace {

using testing::TestApp;

// The MODULE line of a report.
std::string moduleOf(const std::string& report) {
  auto from = report.find("MODULE: ");
  if (from == std::string::npos) return "(no report)";
  return report.substr(from, report.find("\r\n", from) - from);
}

// A created command whose window has not been shown yet, on the default list.
struct CreatedApp : TestApp {
  CreatedApp() {
    command.OnCreate(&host);
    module.session.ActiveListPath = module.paths.DefaultListPath();
    module.session.FormatTag = "Bookmarks_v2.0";
    host.document().calls.clear();
  }
  std::vector<std::string> frameCalls() {
    std::vector<std::string> out;
    for (const auto& call : host.document().calls) {
      if (call.starts_with("createFrame") || call.starts_with("frame ")) out.push_back(call);
    }
    return out;
  }
};

TEST(FrmMainFrame, FirstReadCreatesBindsLoadsAndNamesTheFrame) {
  CreatedApp t;
  standin::Frame* frame = dynamic_cast<standin::Frame*>(t.window().Frame());

  ASSERT_NE(frame, nullptr);
  ASSERT_EQ(t.host.frames().all().size(), 1u);
  EXPECT_EQ(frame, t.host.frames().all()[0].get());
  EXPECT_EQ(frame->window(), &t.window());
  EXPECT_EQ(frame->caption(), "CorbelwickBookmarks");
  EXPECT_TRUE(t.window().isLoaded());  // the start-up ran during the binding
  EXPECT_FALSE(frame->visible());
  EXPECT_EQ(t.window().Text1().text(), t.module.paths.DefaultListPath());
  // The start-up found the frame already stored and moved it; the caption comes last.
  EXPECT_EQ(t.frameCalls(), (std::vector<std::string>{
                                "createFrame 0", "frame 0 bind frmMain", "frame 0 move 307 200 0 0",
                                R"(frame 0 setCaption "CorbelwickBookmarks")"}));
  EXPECT_TRUE(t.toolkit.messages.empty());
}

TEST(FrmMainFrame, LaterReadsReturnTheStoredFrameAlsoAfterUnloading) {
  CreatedApp t;
  standin::Frame* frame = dynamic_cast<standin::Frame*>(t.window().Frame());
  t.window().unload();
  t.host.document().calls.clear();

  EXPECT_EQ(t.window().Frame(), frame);
  EXPECT_EQ(t.host.frames().all().size(), 1u);
  EXPECT_FALSE(t.window().isLoaded());  // no second binding
  EXPECT_TRUE(t.frameCalls().empty());
}

TEST(FrmMainFrame, AFailedBindingIsReportedAndTheCreatedFrameStaysStored) {
  CreatedApp t;
  t.host.document().failNext("frame 0 bind");
  EXPECT_EQ(t.window().Frame(), nullptr);

  ASSERT_EQ(t.toolkit.messages.size(), 1u);
  EXPECT_EQ(moduleOf(t.toolkit.messages[0]), "MODULE: Frame frmMain Line : 3");
  EXPECT_NE(t.toolkit.messages[0].find("\r\nERROR NUMBER: -2147467259\r\n"), std::string::npos);

  standin::Frame* stored = dynamic_cast<standin::Frame*>(t.window().Frame());
  ASSERT_EQ(t.host.frames().all().size(), 1u);
  EXPECT_EQ(stored, t.host.frames().all()[0].get());
  EXPECT_EQ(stored->window(), nullptr);  // not bound again
  EXPECT_FALSE(t.window().isLoaded());
  EXPECT_EQ(t.toolkit.messages.size(), 1u);
}

TEST(FrmMainFrame, AFrameTheHostCannotCreateIsReportedAndAskedForAgainNextTime) {
  CreatedApp t;
  t.host.document().failNext("createFrame");
  EXPECT_EQ(t.window().Frame(), nullptr);
  ASSERT_EQ(t.toolkit.messages.size(), 1u);
  EXPECT_EQ(moduleOf(t.toolkit.messages[0]), "MODULE: Frame frmMain Line : 2");
  EXPECT_TRUE(t.host.frames().all().empty());

  standin::Frame* frame = dynamic_cast<standin::Frame*>(t.window().Frame());
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->window(), &t.window());
}

TEST(FrmMainFrame, AClickWhoseFrameFailsGivesBothReportsAndShowsNothing) {
  CreatedApp t;
  t.host.document().failNext("createFrame");
  t.command.OnClick();

  ASSERT_EQ(t.toolkit.messages.size(), 2u);
  EXPECT_EQ(moduleOf(t.toolkit.messages[0]), "MODULE: Frame frmMain Line : 2");
  EXPECT_EQ(moduleOf(t.toolkit.messages[1]),
            "MODULE: ICommand_OnClick CorbelwickBookmarks Line : 6");
  EXPECT_FALSE(t.window().isVisible());
}

}  // namespace
}  // namespace cw::ui
