#pragma once

#include <string>
#include <string_view>
#include <vector>

// The names the import gives to what it copies from the host document.
namespace cw::store {

// The host bookmark's name as the list stores it. A text field cannot hold a double quote, so a
// quote is kept as the closing typographic quote (which the ANSI code page holds), and the name
// is taken as it will read back from disk, so the bookmark list and the file always agree.
// Names the format can hold come back unchanged.
std::string ImportedBookmarkName(std::string_view hostName);

// The name of the next import group, from the group list's entries in their shown order:
// "ArcMapBookmarks" for the first import, then ArcMapBookmarks2, ArcMapBookmarks33,
// ArcMapBookmarks434 (the count of earlier import groups, then the number left in the last of
// them plus one).
std::string ImportGroupName(const std::vector<std::string>& groups);
// The same naming over another base: a group copied from elsewhere whose name is taken.
std::string ImportGroupName(const std::vector<std::string>& groups, std::string_view base);

// A plain decimal as the group naming reads it: an optional sign, digits, and optionally "."
// and more digits; no blanks and no exponent. False for anything else.
bool ParsePlainDecimal(std::string_view text, double& value);

}  // namespace cw::store
