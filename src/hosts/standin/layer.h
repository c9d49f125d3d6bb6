#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/envelope.h"
#include "host/host_layer.h"
#include "hosts/standin/feature.h"

namespace cw::standin {

class Document;

enum class LayerKind { kFeature, kGroup, kRaster, kOther };

class Layer : public host::HostLayer {
 public:
  Layer(Document& document, std::string name, LayerKind kind, bool visible);
  std::string name() const override;
  bool visible() const override { return visible_; }
  void setVisible(bool visible) override;  // logged
  LayerKind kind() const { return kind_; }
  bool isGroupLayer() const override;
  bool isFeatureLayer() const override;
  int memberCount() const override;
  Layer& member(int index) override;

  // Drawing data (front ends only).
  std::string color;  // "#rrggbb", or "" for a default
  std::vector<Feature> features;
  std::vector<std::unique_ptr<Layer>> members;
  std::optional<host::Envelope> coverage;  // the area a raster layer covers

 private:
  Document& document_;
  std::string name_;
  LayerKind kind_;
  bool visible_;
};

}  // namespace cw::standin
