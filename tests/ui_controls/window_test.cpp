#include "ui/controls/window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/controls/list_box.h"
#include "ui/controls/simple_controls.h"

namespace cw::ui {
namespace {

using K = ControlKind;

const WindowSpec& sampleSpec() {
  static const WindowSpec spec{
      "frmSample",
      "Sample",
      3000,
      2000,
      "MS Sans Serif",
      {
          {"fraMain", K::kFrame, "", "Main", "", {0, 0, 3000, 2000}},
          {"btnGo", K::kButton, "fraMain", "Go", "Go now", {10, 10, 50, 20}},
          {"lstItems", K::kListBox, "fraMain", "", "", {10, 40, 200, 300}},
          {"txtPath", K::kTextBox, "", "start", "", {10, 400, 200, 20}},
          {"chkAll", K::kCheckBox, "", "All", "", {10, 430, 200, 20}},
          {"lblNote", K::kLabel, "", "Note", "", {10, 460, 200, 20}},
      }};
  return spec;
}

// A window that records the handlers it runs.
class SampleWindow : public Window {
 public:
  SampleWindow() : Window(sampleSpec()) {
    createControls();
    on("btnGo", Event::kClick, [this] { log.push_back("btnGo_Click"); });
    on("lstItems", Event::kClick,
       [this] { log.push_back("lstItems_Click " + get<ListBox>("lstItems").selectedText()); });
  }
  std::vector<std::string> log;
  int loads = 0;

 protected:
  void Form_Load() override {
    ++loads;
    get<ListBox>("lstItems").addItem("loaded");
  }
};

TEST(Window, FiresTheBoundHandlerAndReportsWhenNoneIsBound) {
  SampleWindow w;
  EXPECT_TRUE(w.fire("btnGo", Event::kClick));
  EXPECT_FALSE(w.fire("btnGo", Event::kDblClick));
  EXPECT_FALSE(w.fire("lblNote", Event::kClick));
  EXPECT_TRUE(w.hasHandler("lstItems", Event::kClick));
  EXPECT_FALSE(w.hasHandler("txtPath", Event::kChange));
  EXPECT_EQ(w.log, (std::vector<std::string>{"btnGo_Click"}));
}

TEST(Window, ControlEventsReachTheWindowsHandlers) {
  SampleWindow w;
  w.load();
  auto& list = w.get<ListBox>("lstItems");
  list.addItem("apple");
  list.select(0);
  w.control("btnGo").fire(Event::kClick);
  EXPECT_EQ(w.log, (std::vector<std::string>{"lstItems_Click apple", "btnGo_Click"}));
}

TEST(Window, BuildsOneModelPerControlInTheOrderOfItsDescription) {
  SampleWindow w;
  std::vector<std::string> names;
  for (const auto& control : w.controls()) names.push_back(control->name());
  EXPECT_EQ(names, (std::vector<std::string>{"fraMain", "btnGo", "lstItems", "txtPath", "chkAll",
                                             "lblNote"}));
  EXPECT_NE(dynamic_cast<ListBox*>(&w.control("lstItems")), nullptr);
  EXPECT_NE(dynamic_cast<CheckBox*>(&w.control("chkAll")), nullptr);
  EXPECT_TRUE(w.hasControl("txtPath"));
  EXPECT_FALSE(w.hasControl("txtNone"));
  EXPECT_THROW(w.control("txtNone"), std::logic_error);
}

TEST(Window, LoadingResetsEveryControlAndRunsFormLoad) {
  SampleWindow w;
  w.load();
  EXPECT_TRUE(w.isLoaded());
  w.get<TextBox>("txtPath").setText("C:\\other.bmk");
  w.get<CheckBox>("chkAll").setValue(1);
  w.get<ListBox>("lstItems").addItem("extra");
  w.control("lblNote").setCaption("Changed");
  w.setCaption("Renamed");

  w.unload();
  EXPECT_FALSE(w.isLoaded());
  EXPECT_EQ(w.get<TextBox>("txtPath").text(), "start");
  EXPECT_EQ(w.get<ListBox>("lstItems").count(), 0);

  w.load();
  EXPECT_EQ(w.loads, 2);
  EXPECT_EQ(w.caption(), "Sample");
  EXPECT_EQ(w.control("lblNote").caption(), "Note");
  EXPECT_EQ(w.get<CheckBox>("chkAll").value(), 0);
  EXPECT_EQ(w.get<ListBox>("lstItems").items(), (std::vector<std::string>{"loaded"}));
}

TEST(Window, ShowingLoadsOnceAndHidingKeepsTheContents) {
  SampleWindow w;
  w.show();
  EXPECT_TRUE(w.isVisible());
  w.hide();
  w.show();
  EXPECT_EQ(w.loads, 1);
  EXPECT_EQ(w.get<ListBox>("lstItems").count(), 1);
  w.unload();
  EXPECT_FALSE(w.isVisible());
  w.show();
  EXPECT_EQ(w.loads, 2);
}

TEST(Window, DumpGivesOneLinePerListTextAndCheckBox) {
  SampleWindow w;
  w.load();
  w.get<ListBox>("lstItems").addItem("Beach");
  w.get<ListBox>("lstItems").select(1);
  w.get<TextBox>("txtPath").setText("C:\\a \"b\".bmk");
  w.get<CheckBox>("chkAll").setValue(1);
  EXPECT_EQ(w.dump(),
            "LIST frmSample.lstItems [\"Beach\", \"loaded\"] selected \"loaded\"\n"
            "TEXT frmSample.txtPath \"C:\\a \\\"b\\\".bmk\"\n"
            "CHECK frmSample.chkAll 1\n");
}

TEST(Window, ListenersHearChangesOfControlsAndWindow) {
  SampleWindow w;
  int windowChanges = 0;
  int textChanges = 0;
  w.addListener([&] { ++windowChanges; });
  w.control("txtPath").addListener([&] { ++textChanges; });
  w.load();
  w.get<TextBox>("txtPath").setText("new");
  w.get<TextBox>("txtPath").setText("new");  // no change
  EXPECT_GE(windowChanges, 1);
  EXPECT_EQ(textChanges, 1);
}

}  // namespace
}  // namespace cw::ui
