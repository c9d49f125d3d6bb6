#include "hosts/standin/document.h"

#include <functional>

#include "base/failure.h"
#include "hosts/standin/text_forms.h"

namespace cw::standin {

Document::Document() : layout(std::make_unique<PageLayout>(*this)) {}

Document::~Document() = default;

int Document::dataFrameCount() const {
  return static_cast<int>(dataFrames.size());
}

DataFrame& Document::dataFrame(int index) {
  if (index < 0 || index >= dataFrameCount()) {
    throw Failure(err::kSubscriptOutOfRange, "Subscript out of range");
  }
  return *dataFrames[static_cast<std::size_t>(index)];
}

int Document::queryDataFrameCount() {
  record("dataFrameCount");
  return dataFrameCount();
}

DataFrame& Document::focusMap() {
  record("focusMap");
  if (focus_ < 0 || focus_ >= dataFrameCount()) {
    throw Failure(err::kObjectVariableNotSet, "Object variable or With block variable not set");
  }
  return *dataFrames[static_cast<std::size_t>(focus_)];
}

void Document::setFocusMap(int index) {
  if (index < 0 || index >= dataFrameCount()) {
    throw Failure(err::kSubscriptOutOfRange, "Subscript out of range");
  }
  focus_ = index;
  changed();
}

host::HostView& Document::activeView() {
  record("activeView");
  if (layoutActive_) return *layout;
  if (focus_ < 0 || focus_ >= dataFrameCount()) {
    throw Failure(err::kObjectVariableNotSet, "Object variable or With block variable not set");
  }
  return *dataFrames[static_cast<std::size_t>(focus_)];
}

DataFrame& Document::activeDataFrame() {
  record("activeDataFrame");
  // The page layout is no data frame: taking it as one is the runtime's type mismatch.
  if (layoutActive_) throw Failure(err::kTypeMismatch, "Type mismatch");
  if (focus_ < 0 || focus_ >= dataFrameCount()) {
    throw Failure(err::kObjectVariableNotSet, "Object variable or With block variable not set");
  }
  return *dataFrames[static_cast<std::size_t>(focus_)];
}

void Document::setLayoutActive(bool active) {
  layoutActive_ = active;
  changed();
}

PageLayout& Document::pageLayout() {
  record("pageLayout");
  return *layout;
}

void Document::refreshContentsView() {
  record("refreshContentsView");
  ++tocRedraws;
  changed();
}

void Document::log(std::string call) {
  calls.push_back(std::move(call));
}

void Document::record(std::string call) {
  log(call);
  checkFailure(call);
}

void Document::failNext(std::string prefix) {
  failures_.push_back(std::move(prefix));
}

void Document::checkFailure(const std::string& call) {
  for (auto it = failures_.begin(); it != failures_.end(); ++it) {
    if (call.starts_with(*it)) {
      failures_.erase(it);
      throw Failure(err::kHostFailure, "Automation error");
    }
  }
}

void Document::changed() {
  // By index: a listener may add listeners.
  for (std::size_t i = 0; i < listeners.size(); ++i) listeners[i]();
}

std::string Document::layerPath(const Layer& wanted) const {
  std::function<bool(const Layer&, const std::string&, std::string&)> find =
      [&](const Layer& layer, const std::string& prefix, std::string& path) {
        if (&layer == &wanted) {
          path = prefix + layer.name();
          return true;
        }
        for (const auto& member : layer.members) {
          if (find(*member, prefix + layer.name() + "/", path)) return true;
        }
        return false;
      };
  for (const auto& frame : dataFrames) {
    std::string path;
    for (const auto& layer : frame->layers) {
      if (find(*layer, "", path)) return quotedName(frame->name()) + " " + quotedName(path);
    }
  }
  return "? " + quotedName(wanted.name());
}

}  // namespace cw::standin
