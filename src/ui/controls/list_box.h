#pragma once

#include <string>
#include <vector>

#include "ui/controls/control.h"
#include "ui/controls/selectable.h"

namespace cw::ui {

// A list box. A sorted one places every added item at its place in ascending order ignoring
// case (after items that compare equal), whatever the order of adding; a single item is
// selected at a time. Adding is cheap also for 100,000 items: added items are merged into
// place in one batch when the list is next read.
class ListBox : public Control, public Selectable {
 public:
  static constexpr int kNone = -1;
  ListBox(const ControlSpec& spec, bool sorted = true) : Control(spec), sorted_(sorted) {}

  void addItem(std::string text);
  void removeItem(int index);
  void clear();

  int count() const;
  const std::string& item(int index) const;  // index must be valid
  const std::vector<std::string>& items() const;

  int selectedIndex() const;
  // The selected item's text, "" when none is selected.
  std::string selectedText() const;
  // Selects an item (kNone clears the selection). Selecting an item fires Click, as the
  // platform list box does when its selection is set.
  void select(int index);

  void reset() override;
  void dump(std::string& out, std::string_view window) const override;

  int entryCount() const override { return count(); }
  std::string entryText(int index) const override { return item(index); }
  void selectEntry(int index) override { select(index); }

 private:
  void settle() const;  // merges pending items into place

  bool sorted_;
  mutable std::vector<std::string> items_;
  mutable std::vector<std::string> pending_;
  mutable int selected_ = kNone;
};

// Ascending order ignoring case, as the platform's sorted list box compares.
bool lessIgnoringCase(const std::string& a, const std::string& b);

}  // namespace cw::ui
