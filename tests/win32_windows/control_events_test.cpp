// The rendered controls follow their models (captions, texts, values, list entries and the
// selection) and hand the user's actions, made through window messages, to the window's
// handlers by name; list boxes keep the model's order, ties included.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/controls/list_box.h"
#include "ui/controls/simple_controls.h"
#include "ui/controls/window.h"
#include "win32_windows/probe_window.h"
#include "win32_windows/rendered_windows.h"

namespace cw::win32::testing {
namespace {

using Names = std::vector<std::string>;

class ControlEvents : public ::testing::Test {
 protected:
  ControlEvents() : view(window, owner.handle(), PixelScale::fromDpi(96, 96)) { window.load(); }

  HWND control(const char* name) { return findControl(view.handle(), name); }
  ui::ListBox& list() { return window.get<ui::ListBox>("lst"); }

  OwnerWindow owner;
  ProbeWindow window;
  FormView view;
};

TEST_F(ControlEvents, UserActionsReachTheHandlersByName) {
  EXPECT_TRUE(press(control("btn")));
  EXPECT_TRUE(press(control("lbl")));
  EXPECT_TRUE(press(control("lnk")));
  EXPECT_FALSE(press(control("fra"))) << "a frame takes no click";
  EXPECT_TRUE(press(control("chk")));
  EXPECT_EQ(window.get<ui::CheckBox>("chk").value(), 1);
  EXPECT_TRUE(press(control("chk")));
  EXPECT_EQ(window.get<ui::CheckBox>("chk").value(), 0);
  EXPECT_TRUE(typeText(control("txt"), "Riverside \xc3\xa9"));
  EXPECT_EQ(window.get<ui::TextBox>("txt").text(), "Riverside \xc3\xa9");
  EXPECT_EQ(window.calls, (Names{"btn click", "lbl click", "lnk click", "chk click", "chk click",
                                 "txt change Riverside \xc3\xa9"}));
}

TEST_F(ControlEvents, ModelChangesReachTheControls) {
  window.get<ui::Button>("btn").setCaption("Stop");
  window.get<ui::CheckBox>("chk").setValue(1);
  window.get<ui::TextBox>("txt").setText("typed by code");
  EXPECT_EQ(controlText(control("btn")), "Stop");
  EXPECT_EQ(::SendMessageW(control("chk"), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(controlText(control("txt")), "typed by code");
  EXPECT_TRUE(window.calls.empty()) << "text set by code is no user's typing";
}

TEST_F(ControlEvents, AListBoxKeepsTheModelsOrderWithTies) {
  for (const char* item : {"beta", "Alpha", "alpha", "ALPHA", "Beta", "gamma"})
    list().addItem(item);
  pumpMessages();
  const Names sorted{"Alpha", "alpha", "ALPHA", "beta", "Beta", "gamma"};
  ASSERT_EQ(list().items(), sorted);
  EXPECT_EQ(listEntries(control("lst")), sorted);

  // Later items go to the model's place among their ties, and removals follow.
  list().addItem("aLPHA");
  list().addItem("BETA");
  list().removeItem(0);
  pumpMessages();
  EXPECT_EQ(listEntries(control("lst")),
            (Names{"alpha", "ALPHA", "aLPHA", "beta", "Beta", "BETA", "gamma"}));
  EXPECT_EQ(listEntries(control("lst")), list().items());

  // A driver reads what the model holds without waiting for the thread's messages.
  list().addItem("Delta");
  EXPECT_EQ(listEntries(control("lst")), list().items());
}

TEST_F(ControlEvents, AListBoxFollowsAndReportsTheSelection) {
  for (const char* item : {"Parks", "Harbour", "Mill"}) list().addItem(item);
  list().select(2);  // "Parks"
  window.calls.clear();
  pumpMessages();
  EXPECT_EQ(listSelection(control("lst")), 2);

  EXPECT_TRUE(choose(control("lst"), 0));
  EXPECT_EQ(list().selectedText(), "Harbour");
  EXPECT_TRUE(doubleClick(control("lst"), 1));
  EXPECT_EQ(list().selectedText(), "Mill");
  EXPECT_EQ(window.calls, (Names{"lst click", "lst click", "lst dblclick"}));

  list().clear();
  pumpMessages();
  EXPECT_EQ(listEntries(control("lst")), Names{});
  EXPECT_EQ(listSelection(control("lst")), -1);
}

TEST_F(ControlEvents, AThousandsOfItemsBatchArrivesInOrder) {
  std::vector<std::string> added;
  for (int i = 3000; i > 0; --i) {
    added.push_back("Bookmark " + std::to_string(i % 97) + (i % 2 ? "a" : "A"));
    list().addItem(added.back());
  }
  view.sync();
  EXPECT_EQ(listEntries(control("lst")), list().items());
}

}  // namespace
}  // namespace cw::win32::testing
