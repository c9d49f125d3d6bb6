#pragma once

#include <string>
#include <string_view>

namespace cw::platform {
class FileSystem;
}

// Where the layer-visibility files of a list live. Each list on the program's drive has an area
// of its own under ConfigDir, so two lists that hold a group or bookmark of the same name never
// share, overwrite or delete each other's side files. Files an earlier version wrote directly
// under ConfigDir (ConfigDir + group + "/" + bookmark) are still read. See docs/side-files.md.
namespace cw::store {

// A group or bookmark name as a file name: names the platform accepts stay as they are, apart
// from "%" and "^"; anything that cannot stand in a file name is written as %XX, and every
// upper-case letter the drives fold follows a "^", so distinct names give distinct files also
// on a drive that ignores case, and no name can reach outside its directory. Files an earlier
// version wrote without the "^" are still found for a name stored exactly so.
std::string SideFileName(std::string_view name);

// A data frame or layer name as a layer-visibility record holds it and reads it back: a double
// quote, which a text field cannot hold, is kept as the closing typographic quote, and the text
// is what the ANSI code page makes of it.
std::string LayerRecordText(std::string_view name);

// ConfigDir + "lists/" + a key made of the list file's name and a hash of its normalised path:
// the area the list gets when it has none yet.
std::string ListSideFileArea(const std::string& configDir, const std::string& listPath);
// The area the list's side files are in: the one above, or, while that does not exist, the area
// an earlier version made for this spelling of the path under its own key (it folded only ASCII
// letters), which is then read and written in its place. Every operation on a list's side files
// goes through this one; the forms without a file system name the area a new list gets.
std::string ListSideFileArea(platform::FileSystem& fs, const std::string& configDir,
                             const std::string& listPath);
// The list's own directory of a group, ending in "/".
std::string GroupSideDirectory(const std::string& configDir, const std::string& listPath,
                               const std::string& group);
std::string GroupSideDirectory(platform::FileSystem& fs, const std::string& configDir,
                               const std::string& listPath, const std::string& group);
// The list's own layer-visibility file of a bookmark.
std::string LayerVisibilityPath(const std::string& configDir, const std::string& listPath,
                                const std::string& group, const std::string& bookmark);
std::string LayerVisibilityPath(platform::FileSystem& fs, const std::string& configDir,
                                const std::string& listPath, const std::string& group,
                                const std::string& bookmark);
// The file an earlier version kept for the bookmark; "" when the names cannot be file names.
std::string LegacyLayerVisibilityPath(const std::string& configDir, const std::string& group,
                                      const std::string& bookmark);

// The layer-visibility file the zoom reads: the list's own file once the list has its own
// directory for the group, otherwise the earlier version's file. "" when there is none to read.
std::string LayerVisibilityFileToRead(platform::FileSystem& fs, const std::string& configDir,
                                      const std::string& listPath, const std::string& group,
                                      const std::string& bookmark);

// Makes sure the list's own directory of a group exists. When it is first made, the earlier
// version's files of that group are copied into it, so they keep answering for this list.
// Failures throw cw::Failure.
void EnsureGroupSideDirectory(platform::FileSystem& fs, const std::string& configDir,
                              const std::string& listPath, const std::string& group);

// Copies a list's whole side-file area to another list's area (a list saved under a new name
// keeps its recorded visibilities). Nothing happens when the source has no area.
void CopyListSideFiles(platform::FileSystem& fs, const std::string& configDir,
                       const std::string& fromList, const std::string& toList);

}  // namespace cw::store
