#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace cw {
class Module;
class ICommand;
}  // namespace cw
namespace cw::standin {
class Document;
class Application;
}  // namespace cw::standin

class QAction;
class QLabel;
class QMenu;
class QStackedWidget;

namespace cw::qt {

class CommandToolbar;
class ContentsTree;
class LayoutView;
class MapCanvas;

// The map host's main window: the data view or the layout view of the document, its table of
// contents, the document's own bookmarks, opening and saving documents, and the toolbar that
// carries the command.
class MainWindow : public QMainWindow {
 public:
  MainWindow(Module& module, standin::Application& host, ICommand& command);
  ~MainWindow() override;

  MapCanvas* canvas() const { return canvas_; }
  LayoutView* layoutView() const { return layout_; }
  ContentsTree* contents() const { return contents_; }
  CommandToolbar* commandToolbar() const { return toolbar_; }
  QMenu* bookmarksMenu() const { return bookmarks_; }

  // Replaces the document (the sample, or one read from a file).
  void setDocument(std::unique_ptr<standin::Document> document);
  // Switches between the data view and the layout view.
  void showLayout(bool layout);
  // Adds a document bookmark of the focus data frame's extent.
  void createBookmark(const QString& name);
  // Follows the document after a change.
  void refresh();
  // File, Import bookmarks...: a bookmark file into the active list, as new groups.
  void importBookmarks();
  // File, Export bookmarks...: the active list, or one of its groups, into a bookmark file.
  void exportBookmarks();

 private:
  void buildMenus();
  void attachDocument();
  void fillBookmarksMenu();
  void openDocument();
  void saveDocument();
  // The reference system of the focus data frame; "" when the document names none.
  std::string mapCrs() const;
  bool hasActiveList(const QString& title);
  // Runs a conversion, tells its outcome and follows the list windows to the list.
  void convertBookmarks(const QString& title, const std::function<std::vector<std::string>()>& run);

  Module& module_;
  standin::Application& host_;
  MapCanvas* canvas_ = nullptr;
  LayoutView* layout_ = nullptr;
  ContentsTree* contents_ = nullptr;
  CommandToolbar* toolbar_ = nullptr;
  QStackedWidget* views_ = nullptr;
  QLabel* extent_ = nullptr;
  QMenu* bookmarks_ = nullptr;
  QAction* dataView_ = nullptr;
  QAction* layoutView_ = nullptr;
};

}  // namespace cw::qt
