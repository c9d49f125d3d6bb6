// A click of the command the module serves, in a process whose host is a stand-in: the module
// reaches the running application through the host's application reference class by its class
// id, made once, and asks every data frame for its layers at each click.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "com/com_client.h"
#include "com/fake_hook.h"
#include "com/fake_host.h"
#include "com/message_box_answerer.h"
#include "frontends/win32/window_classes.h"
#include "frontends/win32/window_driver.h"
#include "win32_windows/dialog_answerer.h"

namespace cw::com::testing {
namespace {

// The stand-in host's objects, of the host's interfaces as its own IDL declares them.
using namespace ::cw::hostfake;

// A stand-in host whose objects outlive the test: the module keeps the document of the last
// click for the rest of the process, as it keeps the host's, so they are never destroyed.
struct LastingHost {
  FakeLayer* roads = new FakeLayer(L"Roads", FakeLayer::Kind::kFeature);
  FakeMap* withLayers = new FakeMap(L"Town", {roads});
  FakeMap* empty = new FakeMap(L"Inset");
  // The frame with layers first: the data check must not stop at it.
  FakeMaps* maps = new FakeMaps({withLayers, empty});
  FakeDocument* document = new FakeDocument(maps, true);
  FakeApplication* application = new FakeApplication(document);
  // The creation hook the host hands the command it keeps.
  FakeHook* hook = new FakeHook(true);
  // The application's main window, which owns the module's frames.
  HWND mainWindow = application->mainWindow =
      ::CreateWindowExW(0, L"STATIC", L"Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 640, 480,
                        nullptr, nullptr, nullptr, nullptr);
};

// One host for the process: the module keeps the application it reached first.
LastingHost& lastingHost() {
  static LastingHost host;
  return host;
}

class CommandClick : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(Server::loaded().module, nullptr) << "cannot load the module";
    ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
  }
  void TearDown() override { ::CoUninitialize(); }
};

TEST_F(CommandClick, ReachesTheApplicationOnceByItsClassIdAndAsksEveryDataFrame) {
  LastingHost& host = lastingHost();
  FakeAppRef appRef(host.application);
  ASSERT_EQ(appRef.registered(), S_OK);
  MessageBoxAnswerer answerer;

  Ref<ICommand> command = newCommand();
  ASSERT_TRUE(command);
  for (int click = 1; click <= 2; ++click) {
    // Whatever the window does not manage yet ends in the error report, never in the host.
    EXPECT_EQ(command->OnClick(), S_OK) << "click " << click;
    EXPECT_EQ(appRef.instancesMade(), 1) << "the application reference is made once";
    EXPECT_EQ(host.withLayers->layerCountQueries, click);
    EXPECT_EQ(host.empty->layerCountQueries, click) << "asked after a frame with layers too";
  }
  EXPECT_EQ(host.application->references(), 2) << "and kept while the module is loaded";
}

std::wstring classOf(HWND window) {
  wchar_t name[64] = {};
  ::GetClassNameW(window, name, 64);
  return name;
}

// The command created on the lasting host and clicked: the bookmarks window shows.
class ShownBookmarks : public CommandClick {
 protected:
  void SetUp() override {
    CommandClick::SetUp();
    // Registered once COM is up, and revoked before it goes down.
    appRef.emplace(host.application);
    ASSERT_EQ(appRef->registered(), S_OK);
    command = newCommand();
    ASSERT_TRUE(command);
    ASSERT_EQ(command->OnCreate(host.hook), S_OK);
    ASSERT_EQ(command->OnClick(), S_OK);
    form = win32::findShownWindow("frmMain");
    ASSERT_NE(form, nullptr) << "no bookmarks window shown";
  }

  void TearDown() override {
    command = Ref<ICommand>();
    appRef.reset();
    CommandClick::TearDown();
  }

  LastingHost& host = lastingHost();
  std::optional<FakeAppRef> appRef;
  MessageBoxAnswerer answerer;
  Ref<ICommand> command;
  HWND form = nullptr;
};

// The click shows the bookmarks window in a tool window of the module's own, owned by the
// application's main window and captioned with the product's name; its close control hides it
// and the next click shows it again. Found by name through window calls, as any driver would.
TEST_F(ShownBookmarks, ShowsTheBookmarksWindowInAFrameOwnedByTheHostsMainWindow) {
  HWND frame = win32::topLevelOf(form);
  EXPECT_EQ(classOf(frame), win32::kFrameClass);
  EXPECT_EQ(::GetWindow(frame, GW_OWNER), host.mainWindow);
  EXPECT_EQ(win32::controlText(frame), "CorbelwickBookmarks");
  EXPECT_EQ(win32::controlText(win32::findControl(form, "btnZoom")), "Zoom");

  win32::closeWindow(frame);
  EXPECT_FALSE(::IsWindowVisible(frame));
  EXPECT_EQ(command->OnClick(), S_OK);
  EXPECT_EQ(win32::findShownWindow("frmMain"), form) << "the same frame shown again";
  EXPECT_TRUE(answerer.texts().empty()) << "no failure reported";
  win32::closeWindow(frame);
}

// The windows the bookmarks window opens inside the host: the framed help window in a frame of
// its own beside it, the open-list window modally over it until it is cancelled.
TEST_F(ShownBookmarks, TheBookmarksWindowOpensTheHelpFramedAndTheOpenListModally) {
  ASSERT_TRUE(win32::press(win32::findControl(form, "btnHelp2")));
  HWND help = win32::findShownWindow("frmHelp");
  ASSERT_NE(help, nullptr);
  HWND helpFrame = win32::topLevelOf(help);
  EXPECT_EQ(classOf(helpFrame), win32::kFrameClass);
  EXPECT_NE(helpFrame, win32::topLevelOf(form));
  EXPECT_EQ(win32::controlText(helpFrame), "CorbelwickBookmarks - Help");
  EXPECT_EQ(::GetWindow(helpFrame, GW_OWNER), host.mainWindow);
  win32::closeWindow(helpFrame);
  EXPECT_EQ(win32::findShownWindow("frmHelp"), nullptr);

  std::wstring modalClass;
  win32::testing::SoonAction cancel([&] {
    HWND list = win32::findShownWindow("frmLoadList");
    if (!list) return;
    modalClass = classOf(win32::topLevelOf(list));
    win32::press(win32::findControl(list, "btnCancel"));
  });
  ASSERT_TRUE(win32::press(win32::findControl(form, "btnLoadList")));
  EXPECT_EQ(modalClass, win32::kModalClass) << "the open-list window was not shown modally";
  EXPECT_EQ(win32::findShownWindow("frmLoadList"), nullptr);
  EXPECT_TRUE(answerer.texts().empty()) << "no failure reported";
  win32::closeWindow(win32::topLevelOf(form));
}

}  // namespace
}  // namespace cw::com::testing
