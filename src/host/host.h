#pragma once

// The map host as the system sees it: an in-memory map document standing in for the GIS
// application. It keeps a log of the calls the system makes, so tests can check their order,
// and can be told to fail a named operation once (host failure code). The file format of
// documents is described in docs/host-document.md.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cw::ui {
class Window;
}

namespace cw::host {

struct Envelope {
  double XMin = 0;
  double YMin = 0;
  double XMax = 0;
  double YMax = 0;
  bool operator==(const Envelope&) const = default;
};

enum class DrawPhase { kGeography = 2, kGraphics = 8 };
enum class LayerKind { kFeature, kGroup, kRaster, kOther };

// Geometry of a feature layer, for front ends that draw the map (GeoJSON-like).
struct Geometry {
  enum class Type { kPoint, kLineString, kPolygon, kMultiPoint, kMultiLineString, kMultiPolygon };
  Type type = Type::kPoint;
  // Points: one path of one point (or several for MultiPoint); lines: paths; polygons: rings
  // (first the outer ring, then holes), and for multi-polygons a part index per ring.
  std::vector<std::vector<std::pair<double, double>>> paths;
  std::vector<int> parts;
};
struct Feature {
  Geometry geometry;
  std::string label;
};

// A number in its shortest exact form ("-122.5", "37.25", "0" for -0), as call lines show it.
std::string shortestText(double value);
// A name in double quotes, an inner quote as \".
std::string quotedName(std::string_view name);

class HostDocument;
class DataFrame;

class HostLayer {
 public:
  HostLayer(HostDocument& document, std::string name, LayerKind kind, bool visible);
  const std::string& name() const;
  bool visible() const { return visible_; }
  void setVisible(bool visible);  // logged
  LayerKind kind() const { return kind_; }
  bool isGroupLayer() const;
  bool isFeatureLayer() const;
  int memberCount() const;
  HostLayer& member(int index);  // 0-based; fails out of range

  // Drawing data (front ends only).
  std::string color;  // "#rrggbb", or "" for a default
  std::vector<Feature> features;
  std::vector<std::unique_ptr<HostLayer>> members;
  std::optional<Envelope> coverage;  // the area a raster layer covers

 private:
  HostDocument& document_;
  std::string name_;
  LayerKind kind_;
  bool visible_;
};

// A view the document can show: a data frame's map view or the page layout.
class HostView {
 public:
  virtual ~HostView() = default;
  virtual bool isPageLayout() const = 0;
  virtual Envelope extent() const = 0;
  virtual void setExtent(const Envelope& extent) = 0;
  // The invalidation of one drawing phase, with an object (a layout element) or none.
  virtual void invalidate(DrawPhase phase, const void* object) = 0;
  // The view's focus data frame: a data frame itself, or the document's focus for the layout.
  virtual DataFrame& focusMap() = 0;
};

class SpatialBookmark;

class DataFrame : public HostView {
 public:
  DataFrame(HostDocument& document, std::string name);
  const std::string& name() const;
  int layerCount() const;
  HostLayer& layer(int index);  // 0-based; fails out of range

  bool isPageLayout() const override { return false; }
  Envelope extent() const override;
  // Shows the extent; with a view size the extent is first widened to the view's proportions
  // around its centre, as a real map view does.
  void setExtent(const Envelope& extent) override;
  void invalidate(DrawPhase phase, const void* object) override;
  DataFrame& focusMap() override { return *this; }
  // The extent the view shows for a requested one (the widening of setExtent).
  Envelope fitToView(const Envelope& requested) const;
  HostDocument& document() const { return document_; }

  // The bookmark enumeration: restart, then next() until it yields nullptr.
  void restartBookmarks();
  SpatialBookmark* nextBookmark();

  // Document data.
  std::vector<std::unique_ptr<HostLayer>> layers;
  std::vector<std::unique_ptr<SpatialBookmark>> bookmarks;
  int viewWidth = 0;  // pixels; 0 keeps extents as given
  int viewHeight = 0;
  void setExtentDirect(const Envelope& extent) { extent_ = extent; }  // no log, no widening

 private:
  HostDocument& document_;
  std::string name_;
  Envelope extent_;
  std::size_t bookmarkCursor_ = 0;
};

class SpatialBookmark {
 public:
  SpatialBookmark(std::string name, Envelope extent) : name_(std::move(name)), extent_(extent) {}
  const std::string& name() const { return name_; }
  const Envelope& extent() const { return extent_; }
  // Sets the data frame's extent to the bookmark's, widened as setExtent widens.
  void applyTo(DataFrame& frame);

 private:
  std::string name_;
  Envelope extent_;
};

// One element of the page layout.
class LayoutElement {
 public:
  enum class Kind { kLegend, kNorthArrow, kScaleBar, kText, kMapFrame };
  Kind kind = Kind::kText;
  DataFrame* map = nullptr;  // the data frame of a map surround frame or map frame
  Envelope bounds;           // on the page
  std::string text;
  int refreshCount = 0;  // legend refreshes
  int fitCount = 0;      // fits into bounds
  bool stale = false;    // refreshed since its last fit

  bool isMapSurroundFrame() const {
    return kind == Kind::kLegend || kind == Kind::kNorthArrow || kind == Kind::kScaleBar;
  }
  bool isLegend() const { return kind == Kind::kLegend; }
};

class PageLayout : public HostView {
 public:
  explicit PageLayout(HostDocument& document) : document_(document) {}
  bool isPageLayout() const override { return true; }
  Envelope extent() const override;
  void setExtent(const Envelope& extent) override;
  void invalidate(DrawPhase phase, const void* object) override;
  DataFrame& focusMap() override;

  // The element walk: restart, then next() until it yields nullptr.
  void restartElements();
  LayoutElement* nextElement();
  // A legend's refresh and its fit into bounds (the changed flag is in/out).
  void refreshLegend(LayoutElement& legend);
  void fitLegend(LayoutElement& legend, const Envelope& bounds, bool& changed);

  std::vector<std::unique_ptr<LayoutElement>> elements;
  Envelope page{0, 0, 8.5, 11};  // the sheet, in page units (inches)

  // The position of an element in the layout, or -1; and its readable form for call lines
  // (#2 legend "Main Map").
  int indexOf(const void* object) const;
  std::string describe(const void* object) const;

 private:
  HostDocument& document_;
  std::size_t cursor_ = 0;
  std::optional<Envelope> zoomed_;  // the shown part of the page once set; the page before
};

class HostDocument {
 public:
  HostDocument();
  ~HostDocument();

  int dataFrameCount() const;
  DataFrame& dataFrame(int index);           // 0-based; fails out of range
  DataFrame& focusMap();                     // logged; fails without data frames
  int focusIndex() const { return focus_; }  // not logged, for front ends
  void setFocusMap(int index);
  // The active view: the focus data frame's view or the page layout.
  HostView& activeView();
  // The active view taken as a data frame; fails (type mismatch) with the page layout active.
  DataFrame& activeDataFrame();
  bool layoutActive() const { return layoutActive_; }
  void setLayoutActive(bool active);
  PageLayout& pageLayout();
  void refreshContentsView();  // redraw of the table of contents

  // Call log and counters.
  std::vector<std::string> calls;
  int mapInvalidations = 0;       // drawing phase 2
  int graphicsInvalidations = 0;  // drawing phase 8
  int tocRedraws = 0;
  void log(std::string call);
  // Logs one call of the system, then throws when failNext asked for it.
  void record(std::string call);
  // "Main Map" "Group/Member" for a layer of this document; ? "Name" for one outside it.
  std::string layerPath(const HostLayer& layer) const;
  // Makes the next call whose log entry starts with `prefix` fail with the host failure code.
  void failNext(std::string prefix);
  // Observers (front ends redraw on any change).
  std::vector<std::function<void()>> listeners;
  void changed();

  std::vector<std::unique_ptr<DataFrame>> dataFrames;
  std::unique_ptr<PageLayout> layout;

 private:
  void checkFailure(const std::string& call);
  std::vector<std::string> failures_;
  int focus_ = 0;
  bool layoutActive_ = false;
  friend class HostLayer;
  friend class DataFrame;
  friend class PageLayout;
};

class MapHost;

// A modeless frame window of the host holding one system window.
class HostFrame {
 public:
  HostFrame() = default;
  // A frame handed out by the host logs its calls into the host's document as "frame N ...".
  HostFrame(MapHost& host, int id) : host_(&host), id_(id) {}
  // Binding loads the window when it is not loaded.
  void bind(ui::Window& window);
  ui::Window* window() const { return window_; }
  void setCaption(std::string caption);
  const std::string& caption() const { return caption_; }
  // Showing the frame shows its window, loading it first when it is not loaded (after the
  // window was unloaded, the next showing runs its start-up again); hiding hides it.
  void setVisible(bool visible);
  bool visible() const { return visible_; }
  // Moves to left, top in pixels; width and height 0 keep the size.
  void move(int left, int top, int width = 0, int height = 0);
  int left() const { return left_; }
  int top() const { return top_; }
  int width() const { return width_; }
  int height() const { return height_; }

  std::vector<std::function<void()>> listeners;

 private:
  void record(std::string call);
  void changed();
  MapHost* host_ = nullptr;
  int id_ = 0;
  ui::Window* window_ = nullptr;
  std::string caption_;
  bool visible_ = false;
  int left_ = 0;
  int top_ = 0;
  int width_ = 0;
  int height_ = 0;
};

// The running application: its document, and the frames it hands out.
class MapHost {
 public:
  explicit MapHost(std::unique_ptr<HostDocument> document);
  MapHost(const MapHost&) = delete;  // frames point back to their host
  MapHost& operator=(const MapHost&) = delete;
  HostDocument& document();  // fails (object not set) when there is none
  bool hasDocument() const { return document_ != nullptr; }
  void setDocument(std::unique_ptr<HostDocument> document);
  // A new frame (the host class for modeless frames); the host keeps it.
  HostFrame& createFrame();
  const std::vector<std::unique_ptr<HostFrame>>& frames() const { return frames_; }
  std::vector<std::function<void(HostFrame&)>> frameCreated;

 private:
  std::unique_ptr<HostDocument> document_;
  std::vector<std::unique_ptr<HostFrame>> frames_;
};

// Loading a document from JSON (see docs/host-document.md) and the built-in sample town. A bad
// document fails with a Failure that names the place and the fault.
std::unique_ptr<HostDocument> loadDocument(std::string_view json);
std::unique_ptr<HostDocument> sampleDocument();
std::string_view sampleDocumentJson();
// The document as it stands (extents, visibilities, focus, active view), in the same shape.
std::string saveDocument(const HostDocument& document);

}  // namespace cw::host
