#pragma once

#include <string>

namespace cw {

// Product identity and the addresses the system names (reserved example domain).
namespace product {
inline constexpr const char* kCompanyName = "CorbelwickGIS";
inline constexpr const char* kProductName = "CorbelwickBookmarks";
inline constexpr const char* kProductVersion = "v2.19";
inline constexpr const char* kFileVersion = "2.19.0038";
inline constexpr const char* kSupportEmail = "support@corbelwickgis.example";
inline constexpr const char* kInfoEmail = "info@corbelwickgis.example";
inline constexpr const char* kWebSite = "http://www.corbelwickgis.example";
inline constexpr const char* kForumPage =
    "http://www.corbelwickgis.example/forum/corbelwickbookmarks";
inline constexpr const char* kProductPagePath = "/Products/ArcGIS/CorbelwickBookmarks/index.htm";
}  // namespace product

// The identity the command's creation sets; empty until then, and the error report shows it as
// it stands.
struct ProductIdentity {
  std::string CompanyName;
  std::string ProductName;
  std::string ProductVersion;
};

}  // namespace cw
