#pragma once

#include <QTreeWidget>
#include <string>

#include "hosts/standin/standin.h"

namespace cw::qt {

// The table of contents: the data frames, their layers and the members of group layers, each
// layer with a check box for its visibility. The focus data frame is shown in bold; another
// becomes the focus from its context menu.
class ContentsTree : public QTreeWidget {
 public:
  explicit ContentsTree(standin::Application& host, QWidget* parent = nullptr);

  // Follows the document: rebuilt when its frames or layers changed, else checks and focus.
  void documentChanged();
  // The item of a layer by its data frame's name and "Layer" or "Group/Member"; nullptr if none.
  QTreeWidgetItem* layerItem(const std::string& frame, const std::string& path) const;
  QTreeWidgetItem* frameItem(const std::string& frame) const;
  // Makes a data frame the focus, as its context menu does.
  void activateFrame(int index);

 private:
  QString structure() const;
  void rebuild();
  void updateStates();
  void showMenu(const QPoint& at);

  standin::Application& host_;
  QString structure_;
  bool updating_ = false;
};

}  // namespace cw::qt
