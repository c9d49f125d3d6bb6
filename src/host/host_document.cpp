#include <charconv>
#include <functional>

#include "errors/failure.h"
#include "host/host.h"

namespace cw::host {

std::string shortestText(double value) {
  if (value == 0) value = 0;  // no "-0"
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string quotedName(std::string_view name) {
  std::string out = "\"";
  for (char c : name) {
    if (c == '"') out += '\\';
    out += c;
  }
  out += '"';
  return out;
}

HostDocument::HostDocument() : layout(std::make_unique<PageLayout>(*this)) {}

HostDocument::~HostDocument() = default;

int HostDocument::dataFrameCount() const {
  return static_cast<int>(dataFrames.size());
}

DataFrame& HostDocument::dataFrame(int index) {
  if (index < 0 || index >= dataFrameCount()) {
    throw Failure(err::kSubscriptOutOfRange, "Subscript out of range");
  }
  return *dataFrames[static_cast<std::size_t>(index)];
}

DataFrame& HostDocument::focusMap() {
  record("focusMap");
  if (focus_ < 0 || focus_ >= dataFrameCount()) {
    throw Failure(err::kObjectVariableNotSet, "Object variable or With block variable not set");
  }
  return *dataFrames[static_cast<std::size_t>(focus_)];
}

void HostDocument::setFocusMap(int index) {
  if (index < 0 || index >= dataFrameCount()) {
    throw Failure(err::kSubscriptOutOfRange, "Subscript out of range");
  }
  focus_ = index;
  changed();
}

HostView& HostDocument::activeView() {
  record("activeView");
  if (layoutActive_) return *layout;
  if (focus_ < 0 || focus_ >= dataFrameCount()) {
    throw Failure(err::kObjectVariableNotSet, "Object variable or With block variable not set");
  }
  return *dataFrames[static_cast<std::size_t>(focus_)];
}

DataFrame& HostDocument::activeDataFrame() {
  record("activeDataFrame");
  // The page layout is no data frame: taking it as one is the runtime's type mismatch.
  if (layoutActive_) throw Failure(err::kTypeMismatch, "Type mismatch");
  if (focus_ < 0 || focus_ >= dataFrameCount()) {
    throw Failure(err::kObjectVariableNotSet, "Object variable or With block variable not set");
  }
  return *dataFrames[static_cast<std::size_t>(focus_)];
}

void HostDocument::setLayoutActive(bool active) {
  layoutActive_ = active;
  changed();
}

PageLayout& HostDocument::pageLayout() {
  record("pageLayout");
  return *layout;
}

void HostDocument::refreshContentsView() {
  record("refreshContentsView");
  ++tocRedraws;
  changed();
}

void HostDocument::log(std::string call) {
  calls.push_back(std::move(call));
}

void HostDocument::record(std::string call) {
  log(call);
  checkFailure(call);
}

void HostDocument::failNext(std::string prefix) {
  failures_.push_back(std::move(prefix));
}

void HostDocument::checkFailure(const std::string& call) {
  for (auto it = failures_.begin(); it != failures_.end(); ++it) {
    if (call.starts_with(*it)) {
      failures_.erase(it);
      throw Failure(err::kHostFailure, "Automation error");
    }
  }
}

void HostDocument::changed() {
  // By index: a listener may add listeners.
  for (std::size_t i = 0; i < listeners.size(); ++i) listeners[i]();
}

std::string HostDocument::layerPath(const HostLayer& wanted) const {
  std::function<bool(const HostLayer&, const std::string&, std::string&)> find =
      [&](const HostLayer& layer, const std::string& prefix, std::string& path) {
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

}  // namespace cw::host
