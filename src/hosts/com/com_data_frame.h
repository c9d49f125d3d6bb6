#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/host.h"
#include "hosts/com/com_ref.h"
#include "hosts/com/host_interfaces.h"

namespace cw::com {

class ComLayer;
class ComBookmark;

// A data frame of the host's document, over the host's IMap: its name, its layers, its bookmarks
// and its view.
class ComDataFrame : public host::DataFrame {
 public:
  // Holds a reference of its own to `map`.
  explicit ComDataFrame(IMap* map);
  ~ComDataFrame() override;

  IMap* object() const { return map_.get(); }

  std::string name() const override;
  int layerCount() const override;
  host::HostLayer& layer(int index) override;
  int queryLayerCount() override { return layerCount(); }
  void restartBookmarks() override;
  host::SpatialBookmark* nextBookmark() override;

  bool isPageLayout() const override { return false; }
  host::Envelope extent() const override;
  void setExtent(const host::Envelope& extent) override;
  void invalidate(host::DrawPhase phase, const void* object) override;
  host::DataFrame& focusMap() override { return *this; }

 private:
  ComRef<IActiveView> view() const;

  ComRef<IMap> map_;
  std::vector<std::unique_ptr<ComLayer>> layers_;
  ComRef<IEnumSpatialBookmark> bookmarkWalk_;  // since the last restart
  std::vector<std::unique_ptr<ComBookmark>> bookmarks_;
};

// A bookmark of a data frame, over the host's ISpatialBookmark.
class ComBookmark : public host::SpatialBookmark {
 public:
  // Holds a reference of its own to `bookmark`.
  explicit ComBookmark(ISpatialBookmark* bookmark);
  ~ComBookmark() override;

  ISpatialBookmark* object() const { return bookmark_.get(); }

  std::string name() const override;
  // Fails (type mismatch) for a data frame that is not the host's.
  void applyTo(host::DataFrame& frame) override;

 private:
  ComRef<ISpatialBookmark> bookmark_;
};

// A layer of a data frame or of a group layer, over the host's ILayer; its kind is what else it
// answers to.
class ComLayer : public host::HostLayer {
 public:
  // Holds a reference of its own to `layer`.
  explicit ComLayer(ILayer* layer);
  ~ComLayer() override;

  ILayer* object() const { return layer_.get(); }

  std::string name() const override;
  bool visible() const override;
  void setVisible(bool visible) override;
  bool isGroupLayer() const override;
  bool isFeatureLayer() const override;
  int memberCount() const override;
  host::HostLayer& member(int index) override;

 private:
  ComRef<ICompositeLayer> members() const;

  ComRef<ILayer> layer_;
  std::vector<std::unique_ptr<ComLayer>> members_;
};

}  // namespace cw::com
