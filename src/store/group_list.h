#pragma once

namespace cw {
struct AppState;
}
namespace cw::ui {
class ListBox;
}

namespace cw::store {

// Fills the group list from the list at ActiveListPath: every group named by a record, once,
// less the groups a removal record withdraws. No trap of its own: failures reach the caller.
void FillGroupList(AppState& app, ui::ListBox& groups);
// Empties both list boxes of the bookmarks window, then fills the group list.
void LoadGroupList(AppState& app);

}  // namespace cw::store
