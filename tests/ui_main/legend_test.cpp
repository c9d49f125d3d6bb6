#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "base/failure.h"
#include "hosts/standin/standin.h"
#include "support/test_app.h"
#include "ui/main/frm_main.h"

namespace cw::ui {
namespace {

using cw::testing::TestApp;
using Kind = standin::LayoutElement::Kind;

// Frames 0 and 2 share a name but are two objects.
constexpr std::string_view kDocument = R"({"dataFrames": [
  {"name": "Main Map", "layers": []},
  {"name": "Inset", "layers": []},
  {"name": "Main Map", "layers": []}]})";

struct Element {
  Kind kind;
  int frame;  // -1: none
};

class LegendTest : public ::testing::Test {
 protected:
  LegendTest() : t(kDocument), window(t.module.mainWindowParts()) {
    t.module.session.HostDocument = &doc();
  }

  standin::Document& doc() { return t.host.document(); }
  standin::PageLayout& layout() { return *doc().layout; }  // unlogged

  void setLayout(const std::vector<Element>& elements) {
    layout().elements.clear();
    for (const auto& e : elements) {
      auto element = std::make_unique<standin::LayoutElement>();
      element->kind = e.kind;
      element->dataFrame = e.frame < 0 ? nullptr : &doc().dataFrame(e.frame);
      element->pageBounds = {1, 2, 3, 4};
      layout().elements.push_back(std::move(element));
    }
  }
  // The position of the element found for frame 0, -1 for none.
  int legendOfMainMap() {
    host::LayoutElement* found = window.GetLegendElement(&doc().dataFrame(0));
    return found ? layout().indexOf(found) : -1;
  }

  TestApp t;
  FrmMain window;
};

TEST_F(LegendTest, FindsTheLastLegendFrameOfThatVeryDataFrame) {
  struct Case {
    const char* what;
    std::vector<Element> elements;
    int expected;
  } cases[] = {
      {"no elements", {}, -1},
      {"another frame's legend only", {{Kind::kLegend, 1}}, -1},
      {"a same-named other frame's legend", {{Kind::kLegend, 2}}, -1},
      {"other surrounds of the frame", {{Kind::kNorthArrow, 0}, {Kind::kScaleBar, 0}}, -1},
      {"its map frame and a text", {{Kind::kMapFrame, 0}, {Kind::kText, -1}}, -1},
      {"one legend among others",
       {{Kind::kText, -1}, {Kind::kLegend, 1}, {Kind::kLegend, 0}, {Kind::kNorthArrow, 0}},
       2},
      {"two legends of the frame: the later",
       {{Kind::kLegend, 0}, {Kind::kLegend, 2}, {Kind::kLegend, 0}, {Kind::kText, -1}},
       2},
  };
  for (const auto& c : cases) {
    setLayout(c.elements);
    doc().calls.clear();
    EXPECT_EQ(legendOfMainMap(), c.expected) << c.what;
    // One full walk: a restart and every element, then the end.
    EXPECT_EQ(doc().calls.size(), c.elements.size() + 3) << c.what;
    EXPECT_EQ(doc().calls.back(), "nextElement none") << c.what;
  }
  EXPECT_TRUE(t.toolkit.messages.empty());
}

TEST_F(LegendTest, AFailingWalkReportsAndReturnsTheLegendFoundSoFar) {
  setLayout({{Kind::kLegend, 0}, {Kind::kText, -1}, {Kind::kLegend, 0}});
  doc().failNext("nextElement #2");
  EXPECT_EQ(legendOfMainMap(), 0);
  ASSERT_EQ(t.toolkit.messages.size(), 1u);
  EXPECT_NE(t.toolkit.messages[0].find("MODULE: GetLegendElement frmMain Line : 3\r\n"),
            std::string::npos);
}

TEST_F(LegendTest, RefreshesFitsIntoItsBoundsAndInvalidatesTheGraphicsOfTheView) {
  setLayout({{Kind::kText, -1}, {Kind::kLegend, 0}});
  standin::LayoutElement* legend = layout().elements[1].get();
  doc().calls.clear();
  window.RefreshLegend(legend, &layout());
  EXPECT_EQ(doc().calls, (std::vector<std::string>{
                             "pageLayout",
                             "refreshLegend #1 legend \"Main Map\"",
                             "fitLegend #1 legend \"Main Map\" 1 2 3 4",
                             "invalidate layout 8 #1 legend \"Main Map\"",
                         }));
  EXPECT_EQ(legend->refreshCount, 1);
  EXPECT_EQ(legend->fitCount, 1);
  EXPECT_EQ(doc().graphicsInvalidations, 1);
  EXPECT_TRUE(t.toolkit.messages.empty());
}

TEST_F(LegendTest, RefreshOfAnElementThatIsNoLegendFrameReports) {
  setLayout({{Kind::kText, -1}, {Kind::kNorthArrow, 0}});
  for (const auto& element : layout().elements) {
    t.toolkit.messages.clear();
    window.RefreshLegend(element.get(), &layout());
    ASSERT_EQ(t.toolkit.messages.size(), 1u);
    EXPECT_NE(t.toolkit.messages[0].find("MODULE: RefreshLegend frmMain Line : 1\r\n"),
              std::string::npos);
    EXPECT_EQ(element->fitCount, 0);
  }
  EXPECT_EQ(doc().graphicsInvalidations, 0);
}

TEST_F(LegendTest, ARefusedInvalidationReportsAndLeavesTheRefreshDone) {
  setLayout({{Kind::kLegend, 0}});
  doc().failNext("invalidate layout 8");
  window.RefreshLegend(layout().elements[0].get(), &layout());
  EXPECT_EQ(layout().elements[0]->fitCount, 1);
  ASSERT_EQ(t.toolkit.messages.size(), 1u);
  EXPECT_NE(t.toolkit.messages[0].find("MODULE: RefreshLegend frmMain Line : 3\r\n"),
            std::string::npos);
}

}  // namespace
}  // namespace cw::ui
