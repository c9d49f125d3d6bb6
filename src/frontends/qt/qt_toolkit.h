#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include "frontends/qt/twips.h"
#include "platform/window_host.h"

namespace cw::qt {

// The toolkit on screen: message boxes without an icon under the application's title, the input
// box, the wait cursor, modal windows rendered from their description, and the desktop's URL
// handler for links.
class QtToolkit : public platform::WindowHost, public platform::Shell {
 public:
  explicit QtToolkit(QString title);
  ~QtToolkit() override;

  platform::MessageResult messageBox(std::string_view text,
                                     platform::MessageButtons buttons) override;
  std::string inputBox(std::string_view prompt) override;
  void setMousePointer(platform::MousePointer pointer) override;
  platform::ScreenMetrics screen() override;
  void showModal(ui::Window& window) override;
  void openLink(std::string_view target) override;

  // Boxes and modal windows are centred over this widget (the main window).
  void setDialogParent(QWidget* parent) { parent_ = parent; }
  const QString& title() const { return title_; }
  TwipsScale scale() const { return TwipsScale::ofScreen(); }

 private:
  QString title_;
  QPointer<QWidget> parent_;
  bool waitCursor_ = false;
};

// A system text as Qt shows it: UTF-8, CR LF as one line break.
QString toDisplayText(std::string_view text);

}  // namespace cw::qt
