#include "hosts/standin/layer.h"

#include "base/failure.h"
#include "hosts/standin/document.h"

namespace cw::standin {

Layer::Layer(Document& document, std::string name, LayerKind kind, bool visible)
    : document_(document), name_(std::move(name)), kind_(kind), visible_(visible) {}

std::string Layer::name() const {
  return name_;
}

void Layer::setVisible(bool visible) {
  document_.record("setVisible " + document_.layerPath(*this) + (visible ? " true" : " false"));
  visible_ = visible;
  document_.changed();
}

bool Layer::isGroupLayer() const {
  return kind_ == LayerKind::kGroup;
}

bool Layer::isFeatureLayer() const {
  return kind_ == LayerKind::kFeature;
}

int Layer::memberCount() const {
  return static_cast<int>(members.size());
}

Layer& Layer::member(int index) {
  if (index < 0 || index >= memberCount()) {
    throw Failure(err::kSubscriptOutOfRange, "Subscript out of range");
  }
  return *members[static_cast<std::size_t>(index)];
}

}  // namespace cw::standin
