// Every caption of every window fits its control in the font the windows are drawn in, at 96,
// 120 and 144 dpi: the text beside a check box's box, inside a button's frame, within a label
// (wrapped in its width and height when the label wraps) and a frame's title within the frame.
// The font is measured at each dpi as the screen would set it, and the style's boxes and
// margins are taken at the same dpi, so a clipped caption names its control.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "command/module.h"
#include "frontends/headless/headless_toolkit.h"
#include "frontends/qt/window_view.h"
#include "hosts/standin/standin.h"
#include "support/temp_drives.h"
#include "ui/help/frm_help.h"
#include "ui/lists/frm_load_list.h"
#include "ui/lists/frm_save_list.h"
#include "ui/main/frm_main.h"

namespace cw::qt {
namespace {

// What a caption needs and the room its control gives it, in pixels.
struct Fit {
  QString caption;
  QSize needed;
  QSize room;
  bool wrapped = false;  // the width is the label's own; the height tells the fit
  bool fits() const { return needed.width() <= room.width() && needed.height() <= room.height(); }
};

// The caption's fit in its widget, with text and the style's metrics at the dpi of `metrics`;
// nothing for controls without a caption.
std::optional<Fit> captionFit(QWidget* widget, const QFontMetrics& metrics) {
  QStyle* style = widget->style();
  auto line = [&](const QString& text) {
    return QSize(metrics.horizontalAdvance(text), metrics.height());
  };
  if (auto* button = qobject_cast<QPushButton*>(widget)) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    option.fontMetrics = metrics;
    QRect room = style->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    return Fit{option.text, line(option.text), room.size()};
  }
  if (auto* box = qobject_cast<QCheckBox*>(widget)) {
    QStyleOptionButton option;
    option.initFrom(box);
    option.text = box->text();
    option.fontMetrics = metrics;
    QRect room = style->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
    return Fit{option.text, line(option.text), room.size()};
  }
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    if (label->text().isEmpty()) return std::nullopt;  // a picture
    QRect room = label->contentsRect();
    int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    QRect needed = metrics.boundingRect(QRect(QPoint(0, 0), room.size()), flags, label->text());
    return Fit{label->text(), needed.size(), room.size(), label->wordWrap()};
  }
  if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
    if (frame->title().isEmpty()) return std::nullopt;
    QStyleOptionGroupBox option;
    option.initFrom(frame);
    option.text = frame->title();
    option.textAlignment = frame->alignment();
    option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    option.fontMetrics = metrics;
    QRect title =
        style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, frame);
    return Fit{option.text, QSize(title.right() + 1, title.bottom() + 1), frame->size()};
  }
  return std::nullopt;
}

class CaptionFit : public ::testing::Test {
 protected:
  testing::TempDrives drives;
  headless::HeadlessToolkit toolkit;
  standin::Application host{standin::sampleDocument()};
  Module module{drives.fs(), toolkit, toolkit, host};

  ~CaptionFit() override {
    module.mainWindow.reset();
    module.windows.dropKept();
  }
};

TEST_F(CaptionFit, EveryCaptionFitsItsControlAt96And120And144Dpi) {
  QFont font = windowFont();
  ASSERT_EQ(QFontInfo(font).family(), "Liberation Sans")
      << "the windows' face is missing (Debian's fonts-liberation, scripts/setup.sh)";

  ui::FrmMain main(module.mainWindowParts());
  ui::FrmHelp help(module.helpWindowParts());
  help.load();  // sets the version caption
  ui::FrmLoadList load(module.listWindowParts());
  ui::FrmSaveList save(module.listWindowParts());
  std::vector<ui::Window*> windows{&main, &help, &load, &save};

  for (int dpi : {96, 120, 144}) {
    QImage screen(1, 1, QImage::Format_RGB32);
    const int dotsPerMetre = static_cast<int>(dpi / 0.0254 + 0.5);
    screen.setDotsPerMeterX(dotsPerMetre);
    screen.setDotsPerMeterY(dotsPerMetre);
    TwipsScale scale = TwipsScale::fromDpi(dpi, dpi);

    // The figures to tune the font by: the least room to spare on one line and in a wrapped
    // label's height.
    std::string tightest, tightestWrapped;
    int leastSpare = 1 << 30, leastSpareWrapped = 1 << 30;
    for (ui::Window* window : windows) {
      WindowView view(*window, scale);
      EXPECT_EQ(view.font(), font) << window->name();
      for (const ui::ControlSpec& control : window->spec().controls) {
        QWidget* widget = view.widgetFor(control.name);
        ASSERT_NE(widget, nullptr) << control.name;
        std::optional<Fit> fit = captionFit(widget, QFontMetrics(widget->font(), &screen));
        if (!fit) continue;
        const std::string name = window->name() + "." + control.name;
        EXPECT_TRUE(fit->fits()) << name << " at " << dpi << " dpi: \""
                                 << fit->caption.toStdString() << "\" needs " << fit->needed.width()
                                 << "x" << fit->needed.height() << " px, the control leaves "
                                 << fit->room.width() << "x" << fit->room.height();
        std::string figures = name + " \"" + fit->caption.toStdString() + "\" ";
        if (fit->wrapped) {
          int spare = fit->room.height() - fit->needed.height();
          if (spare < leastSpareWrapped) {
            leastSpareWrapped = spare;
            tightestWrapped = figures + std::to_string(fit->needed.height()) + " of " +
                              std::to_string(fit->room.height()) + " px high";
          }
        } else {
          int spare = fit->room.width() - fit->needed.width();
          if (spare < leastSpare) {
            leastSpare = spare;
            tightest = figures + std::to_string(fit->needed.width()) + " of " +
                       std::to_string(fit->room.width()) + " px wide";
          }
        }
      }
    }
    std::cout << dpi << " dpi, tightest: " << tightest << "; wrapped: " << tightestWrapped << "\n";
  }
}

}  // namespace
}  // namespace cw::qt
