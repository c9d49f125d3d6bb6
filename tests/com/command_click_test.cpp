// A click of the command the module serves, in a process whose host is a stand-in: the module
// reaches the running application through the host's application reference class by its class
// id, made once, and asks every data frame for its layers at each click.

#include <gtest/gtest.h>

#include "com/com_client.h"
#include "com/fake_host.h"
#include "com/message_box_answerer.h"

namespace cw::com::testing {
namespace {

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
};

class CommandClick : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(Server::loaded().module, nullptr) << "cannot load the module";
    ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
  }
  void TearDown() override { ::CoUninitialize(); }
};

TEST_F(CommandClick, ReachesTheApplicationOnceByItsClassIdAndAsksEveryDataFrame) {
  static LastingHost host;
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

}  // namespace
}  // namespace cw::com::testing
