#include "ui/controls/list_box.h"

#include <algorithm>
#include <cassert>

namespace cw::ui {

namespace {
unsigned char fold(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c;
}
}  // namespace

bool lessIgnoringCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return fold(x) < fold(y); });
}

void ListBox::settle() const {
  if (pending_.empty()) return;
  if (!sorted_) {
    std::move(pending_.begin(), pending_.end(), std::back_inserter(items_));
    pending_.clear();
    return;
  }
  // Pending items keep their order among equals (stable), and go after equal settled items.
  std::stable_sort(pending_.begin(), pending_.end(), lessIgnoringCase);
  std::vector<std::string> merged;
  merged.reserve(items_.size() + pending_.size());
  int newSelected = kNone;
  std::size_t i = 0, j = 0;
  while (i < items_.size() || j < pending_.size()) {
    bool takeSettled =
        j == pending_.size() || (i < items_.size() && !lessIgnoringCase(pending_[j], items_[i]));
    if (takeSettled) {
      if (static_cast<int>(i) == selected_) newSelected = static_cast<int>(merged.size());
      merged.push_back(std::move(items_[i++]));
    } else {
      merged.push_back(std::move(pending_[j++]));
    }
  }
  items_ = std::move(merged);
  pending_.clear();
  selected_ = newSelected;
}

void ListBox::addItem(std::string text) {
  pending_.push_back(std::move(text));
  changed();
}

void ListBox::removeItem(int index) {
  settle();
  assert(index >= 0 && index < static_cast<int>(items_.size()));
  items_.erase(items_.begin() + index);
  if (selected_ == index) {
    selected_ = kNone;
  } else if (selected_ > index) {
    --selected_;
  }
  changed();
}

void ListBox::clear() {
  items_.clear();
  pending_.clear();
  selected_ = kNone;
  changed();
}

int ListBox::count() const {
  return static_cast<int>(items_.size() + pending_.size());
}

const std::string& ListBox::item(int index) const {
  settle();
  assert(index >= 0 && index < static_cast<int>(items_.size()));
  return items_[index];
}

const std::vector<std::string>& ListBox::items() const {
  settle();
  return items_;
}

int ListBox::selectedIndex() const {
  settle();
  return selected_;
}

std::string ListBox::selectedText() const {
  settle();
  return selected_ == kNone ? std::string() : items_[selected_];
}

void ListBox::select(int index) {
  settle();
  assert(index >= kNone && index < static_cast<int>(items_.size()));
  bool differs = index != selected_;
  selected_ = index;
  if (differs) changed();
  if (index != kNone) fire(Event::kClick);
}

void ListBox::reset() {
  Control::reset();
  clear();
}

void ListBox::dump(std::string& out, std::string_view window) const {
  settle();
  out += "LIST " + std::string(window) + "." + name() + " [";
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (i) out += ", ";
    out += quoteForTranscript(items_[i]);
  }
  out += "] selected ";
  out += selected_ == kNone ? std::string("-") : quoteForTranscript(items_[selected_]);
  out += "\n";
}

}  // namespace cw::ui
