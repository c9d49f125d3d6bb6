#include "frontends/qt/contents_tree.h"

#include <QHeaderView>
#include <QMenu>
#include <functional>

#include "frontends/qt/host_calls.h"
#include "frontends/qt/map_drawing.h"

namespace cw::qt {

namespace {

constexpr int kFrameRole = Qt::UserRole + 1;  // index of a data frame
constexpr int kLayerRole = Qt::UserRole + 2;  // the host layer of an item

standin::Layer* layerOf(const QTreeWidgetItem* item) {
  return reinterpret_cast<standin::Layer*>(item->data(0, kLayerRole).value<quintptr>());
}

QIcon swatch(const standin::Layer& layer) {
  QPixmap pixmap(12, 12);
  pixmap.fill(layer.kind() == standin::LayerKind::kGroup ? QColor("#c8c8c8") : layerColor(layer));
  return QIcon(pixmap);
}

}  // namespace

ContentsTree::ContentsTree(standin::Application& host, QWidget* parent)
    : QTreeWidget(parent), host_(host) {
  setObjectName("TableOfContents");
  setHeaderHidden(true);
  setContextMenuPolicy(Qt::CustomContextMenu);
  connect(this, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { showMenu(at); });
  connect(this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int) {
    standin::Layer* layer = layerOf(item);
    if (updating_ || !layer) return;
    bool on = item->checkState(0) == Qt::Checked;
    if (on != layer->visible()) hostCall([&] { layer->setVisible(on); });
    updateStates();  // a refused change goes back
  });
  documentChanged();
}

QString ContentsTree::structure() const {
  if (!host_.hasDocument()) return {};
  auto& doc = host_.document();
  QString out = QString::number(reinterpret_cast<quintptr>(&doc));
  std::function<void(const standin::Layer&, int)> add = [&](const standin::Layer& layer,
                                                            int depth) {
    out += QString("\n%1%2@%3")
               .arg(QString(depth, ' '), QString::fromStdString(layer.name()))
               .arg(reinterpret_cast<quintptr>(&layer));
    for (const auto& member : layer.members) add(*member, depth + 1);
  };
  for (const auto& frame : doc.dataFrames) {
    out += "\n#" + QString::fromStdString(frame->name());
    for (const auto& layer : frame->layers) add(*layer, 1);
  }
  return out;
}

void ContentsTree::documentChanged() {
  QString now = structure();
  if (now != structure_) {
    structure_ = now;
    rebuild();
  }
  updateStates();
}

void ContentsTree::rebuild() {
  updating_ = true;
  clear();
  if (host_.hasDocument()) {
    auto& doc = host_.document();
    std::function<void(standin::Layer&, QTreeWidgetItem*)> add = [&](standin::Layer& layer,
                                                                     QTreeWidgetItem* parent) {
      auto* item = new QTreeWidgetItem(parent, {QString::fromStdString(layer.name())});
      item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
      item->setCheckState(0, layer.visible() ? Qt::Checked : Qt::Unchecked);
      item->setData(0, kLayerRole, QVariant::fromValue(reinterpret_cast<quintptr>(&layer)));
      item->setIcon(0, swatch(layer));
      for (auto& member : layer.members) add(*member, item);
    };
    for (int i = 0; i < doc.dataFrameCount(); ++i) {
      auto& frame = *doc.dataFrames[static_cast<std::size_t>(i)];
      auto* item = new QTreeWidgetItem(this, {QString::fromStdString(frame.name())});
      item->setData(0, kFrameRole, i);
      for (auto& layer : frame.layers) add(*layer, item);
    }
  }
  expandAll();
  updating_ = false;
}

void ContentsTree::updateStates() {
  if (!host_.hasDocument()) return;
  updating_ = true;
  int focus = host_.document().focusIndex();
  std::function<void(QTreeWidgetItem*)> visit = [&](QTreeWidgetItem* item) {
    if (standin::Layer* layer = layerOf(item)) {
      Qt::CheckState state = layer->visible() ? Qt::Checked : Qt::Unchecked;
      if (item->checkState(0) != state) item->setCheckState(0, state);
    } else {
      QFont font = item->font(0);
      bool isFocus = item->data(0, kFrameRole).toInt() == focus;
      if (font.bold() != isFocus) {
        font.setBold(isFocus);
        item->setFont(0, font);
      }
    }
    for (int i = 0; i < item->childCount(); ++i) visit(item->child(i));
  };
  for (int i = 0; i < topLevelItemCount(); ++i) visit(topLevelItem(i));
  updating_ = false;
}

QTreeWidgetItem* ContentsTree::frameItem(const std::string& frame) const {
  for (int i = 0; i < topLevelItemCount(); ++i) {
    if (topLevelItem(i)->text(0).toStdString() == frame) return topLevelItem(i);
  }
  return nullptr;
}

QTreeWidgetItem* ContentsTree::layerItem(const std::string& frame, const std::string& path) const {
  QTreeWidgetItem* item = frameItem(frame);
  std::size_t start = 0;
  while (item) {
    std::size_t slash = path.find('/', start);
    std::string name =
        path.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
    QTreeWidgetItem* found = nullptr;
    for (int i = 0; i < item->childCount() && !found; ++i) {
      if (item->child(i)->text(0).toStdString() == name) found = item->child(i);
    }
    item = found;
    if (slash == std::string::npos) return item;
    start = slash + 1;
  }
  return nullptr;
}

void ContentsTree::activateFrame(int index) {
  if (!host_.hasDocument()) return;
  hostCall([&] { host_.document().setFocusMap(index); });
}

void ContentsTree::showMenu(const QPoint& at) {
  QTreeWidgetItem* item = itemAt(at);
  if (!item || layerOf(item)) return;
  int index = item->data(0, kFrameRole).toInt();
  QMenu menu(this);
  QAction* activate = menu.addAction("Activate");
  activate->setEnabled(host_.hasDocument() && index != host_.document().focusIndex());
  if (menu.exec(viewport()->mapToGlobal(at)) == activate) activateFrame(index);
}

}  // namespace cw::qt
