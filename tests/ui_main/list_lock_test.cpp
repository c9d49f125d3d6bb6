// Commands that change a list keep other programs off it, and give up with a message when
// another program keeps it too long.

#include "store/list_lock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "support/list_lines.h"
#include "support/test_app.h"

namespace cw::ui {
namespace {

using testing::bookmark;
using testing::group;
using testing::header;
using testing::TestApp;

const std::string kList = "C:\\lists\\a.bmk";
const std::string kInUse = std::string(store::kListInUseMessage) + "\r\n" + kList;

struct LockTest {
  LockTest() {
    t.startOnList(kList, header() + group("Roads") + bookmark("Roads", "x"));
    t.module.storage.lockWait = std::chrono::milliseconds(50);
  }
  // Another holder of the list's lock: a second opening counts as another program.
  std::unique_ptr<platform::FileLock> holdList() {
    return t.module.services.fs.tryLock(store::ListLockPath(kList));
  }
  TestApp t;
};

TEST(ListLock, EveryChangingCommandGivesUpWithTheMessageAndChangesNothingWhileAnotherHoldsIt) {
  struct Case {
    const char* what;
    std::function<void(LockTest&)> run;
  };
  const std::vector<Case> cases = {
      {"add group",
       [](LockTest& l) {
         l.t.toolkit.queueInput("Parks");
         l.t.window().fire("cmdbtnAddGroup", Event::kClick);
       }},
      {"add bookmark",
       [](LockTest& l) {
         testing::selectEntry(l.t.window().lstbxGroup(), "Roads");
         l.t.toolkit.queueInput("y");
         l.t.window().fire("cmdbtnAddCurExtent", Event::kClick);
       }},
      {"remove bookmark",
       [](LockTest& l) {
         testing::selectEntry(l.t.window().lstbxGroup(), "Roads");
         testing::selectEntry(l.t.window().lstbxExtentName(), "x");
         l.t.window().fire("btnRemoveExtent", Event::kClick);
       }},
      {"remove group",
       [](LockTest& l) {
         testing::selectEntry(l.t.window().lstbxGroup(), "Roads");
         l.t.window().fire("btnRemoveGroup", Event::kClick);
       }},
      {"clear list",
       [](LockTest& l) {
         l.t.toolkit.queueAnswer(platform::MessageResult::kYes);
         l.t.window().fire("btnNewList", Event::kClick);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LockTest l;
    const std::string before = l.t.drives.read(kList);
    auto held = l.holdList();
    ASSERT_NE(held, nullptr);
    l.t.toolkit.messages.clear();
    c.run(l);
    ASSERT_FALSE(l.t.toolkit.messages.empty());
    EXPECT_EQ(l.t.toolkit.messages.back(), kInUse);
    EXPECT_EQ(l.t.drives.read(kList), before);

    // Once the other holder lets go the same command goes through (a question may come first).
    held.reset();
    l.t.toolkit.messages.clear();
    c.run(l);
    for (const auto& message : l.t.toolkit.messages) EXPECT_NE(message, kInUse);
    EXPECT_NE(l.t.drives.read(kList), before);
  }
}

TEST(ListLock, IsFreeAgainOnceItsHolderGoesAndLeavesThePointerAsItWas) {
  LockTest l;
  {
    store::ListLock first(l.t.module.storage, kList);
    ASSERT_TRUE(first.acquired());
    EXPECT_EQ(l.holdList(), nullptr);
    store::ListLock second(l.t.module.storage, kList);
    EXPECT_FALSE(second.acquired());
  }
  EXPECT_NE(l.holdList(), nullptr);
  EXPECT_EQ(l.t.toolkit.messages.back(), kInUse);
  EXPECT_EQ(l.t.toolkit.pointer, platform::MousePointer::kDefault);
}

}  // namespace
}  // namespace cw::ui
