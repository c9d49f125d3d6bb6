#pragma once

#include <QPointer>
#include <QString>
#include <QTimer>
#include <deque>
#include <functional>
#include <vector>

class QWidget;

namespace cw::qt {

// Answers the modal dialogs that come up, in order, as a person at the screen would: each
// expected answer runs on the next new modal dialog once it shows. Used by the tour and by the
// tests that drive real widgets.
class ModalDriver {
 public:
  using Answer = std::function<void(QWidget* modal)>;
  ModalDriver();
  ~ModalDriver();

  void expect(Answer answer) { answers_.push_back(std::move(answer)); }
  std::size_t pending() const { return answers_.size(); }
  int handled() const { return handled_; }
  // Runs on a modal dialog no answer was queued for; without one it is cancelled.
  Answer unexpected;

 private:
  void poll();
  QTimer timer_;
  std::deque<Answer> answers_;
  std::vector<QPointer<QWidget>> seen_;
  int handled_ = 0;
};

// Types the text into an input box; answerInput then presses OK.
void typeInput(QWidget* modal, const QString& text);
void answerInput(QWidget* modal, const QString& text);
// Presses Cancel (input boxes, questions answered No).
void cancelDialog(QWidget* modal);
// Presses the message box's button with that text without "&" ("Yes", "No", "OK").
void pressButton(QWidget* modal, const QString& text);
// The text a dialog shows (a message box's text, an input box's prompt).
QString dialogText(QWidget* modal);

}  // namespace cw::qt
