// The host adapter against a stand-in host inside the test process: the running application
// reached through the host's application reference class, its map document, and host failures
// carried on with the host's own codes.

#include <gtest/gtest.h>

#include <vector>

#include "com/fake_host.h"
#include "errors/failure.h"
#include "host/host.h"
#include "hosts/com/com_application.h"

namespace cw::com::testing {
namespace {

class HostAdapter : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr))); }
  void TearDown() override { ::CoUninitialize(); }
};

// The failure a call ends in, or 0 when it succeeds.
template <typename Call>
int failureOf(Call&& call) {
  try {
    call();
  } catch (const Failure& failure) {
    return failure.number();
  }
  return 0;
}

TEST_F(HostAdapter, ReachesTheDocumentThroughANewApplicationReferenceEachTime) {
  FakeMaps maps(2);
  FakeDocument document(&maps, true);
  FakeApplication application(&document);
  FakeAppRef appRef(&application);
  ASSERT_EQ(appRef.registered(), S_OK);
  {
    ComApplication host;
    host::HostDocument& first = host.document();
    EXPECT_EQ(first.dataFrameCount(), 2);
    EXPECT_EQ(first.queryDataFrameCount(), 2);
    EXPECT_EQ(appRef.instancesMade(), 1);

    host::HostDocument& again = host.document();
    EXPECT_EQ(appRef.instancesMade(), 2);
    EXPECT_EQ(&again, &first) << "the same host document keeps its object";
    EXPECT_TRUE(host.hasDocument());

    FakeMaps otherMaps(0);
    FakeDocument other(&otherMaps, true);
    application.document_ = &other;
    EXPECT_NE(&host.document(), &first) << "another host document has an object of its own";
    EXPECT_EQ(host.document().dataFrameCount(), 0);
    EXPECT_EQ(application.references(), 1) << "no application reference is kept";
  }
  EXPECT_EQ(document.references(), 1) << "every reference to the document is given back";
  EXPECT_EQ(maps.references(), 1);
}

TEST_F(HostAdapter, HostFailuresGoOnWithTheHostsCode) {
  struct Case {
    const char* what;
    HRESULT documentResult;
    bool isMapDocument;
    HRESULT mapsResult;
    int expected;
  };
  const std::vector<Case> cases = {
      {"the application fails its document", E_FAIL, true, S_OK, static_cast<int>(E_FAIL)},
      {"the application hands out no document", S_FALSE, true, S_OK, err::kObjectVariableNotSet},
      {"the document is no map document", S_OK, false, S_OK, static_cast<int>(E_NOINTERFACE)},
      {"the document fails its maps", S_OK, true, E_ACCESSDENIED, static_cast<int>(E_ACCESSDENIED)},
  };
  for (const Case& c : cases) {
    FakeMaps maps(1);
    FakeDocument document(&maps, c.isMapDocument);
    document.mapsResult = c.mapsResult;
    FakeApplication application(&document);
    application.documentResult = c.documentResult;
    FakeAppRef appRef(&application);
    ASSERT_EQ(appRef.registered(), S_OK);
    {
      ComApplication host;
      EXPECT_EQ(failureOf([&] { host.document().dataFrameCount(); }), c.expected) << c.what;
    }
    EXPECT_EQ(document.references(), 1) << c.what;
    EXPECT_EQ(application.references(), 1) << c.what;
  }
}

TEST_F(HostAdapter, OutsideTheHostThereIsNoApplicationToReach) {
  ComApplication host;
  EXPECT_EQ(failureOf([&] { host.document(); }), static_cast<int>(REGDB_E_CLASSNOTREG));
  EXPECT_FALSE(host.hasDocument());
}

}  // namespace
}  // namespace cw::com::testing
