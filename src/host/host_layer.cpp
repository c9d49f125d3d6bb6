#include "errors/failure.h"
#include "host/host.h"

namespace cw::host {

HostLayer::HostLayer(HostDocument& document, std::string name, LayerKind kind, bool visible)
    : document_(document), name_(std::move(name)), kind_(kind), visible_(visible) {}

const std::string& HostLayer::name() const {
  return name_;
}

void HostLayer::setVisible(bool visible) {
  document_.record("setVisible " + document_.layerPath(*this) + (visible ? " true" : " false"));
  visible_ = visible;
  document_.changed();
}

bool HostLayer::isGroupLayer() const {
  return kind_ == LayerKind::kGroup;
}

bool HostLayer::isFeatureLayer() const {
  return kind_ == LayerKind::kFeature;
}

int HostLayer::memberCount() const {
  return static_cast<int>(members.size());
}

HostLayer& HostLayer::member(int index) {
  if (index < 0 || index >= memberCount()) {
    throw Failure(err::kSubscriptOutOfRange, "Subscript out of range");
  }
  return *members[static_cast<std::size_t>(index)];
}

}  // namespace cw::host
