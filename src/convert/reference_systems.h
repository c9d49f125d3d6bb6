#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "host/host.h"

struct pj_ctx;
struct PJconsts;

// Reference systems and the transformation of extents between them, through PROJ. Axes are
// always in the order maps use (longitude or easting first).
namespace cw::convert {

inline constexpr const char* kWgs84 = "EPSG:4326";

// A system as the user gives it: a plain number is an EPSG code.
std::string crsDefinition(const std::string& given);

// A longitude/latitude box with its longitudes within -180 to 180, as RFC 7946 has them: one
// across the antimeridian has XMin > XMax, one all round the globe runs from -180 to 180.
host::Envelope withLongitudesWithin180(host::Envelope box);

class ReferenceSystems {
 public:
  ReferenceSystems();
  ~ReferenceSystems();
  ReferenceSystems(const ReferenceSystems&) = delete;
  ReferenceSystems& operator=(const ReferenceSystems&) = delete;

  // Fails (InputError naming `file` and `place`) for a definition PROJ does not know as a CRS.
  void check(const std::string& crs, const std::string& file, const std::string& place);
  // True when both definitions name the same system ("EPSG:4326" and its WKT, say).
  bool same(const std::string& a, const std::string& b);
  bool isGeographic(const std::string& crs);
  // The EPSG code of the system, when it has one.
  std::optional<int> epsgCode(const std::string& crs);
  // The system as Esri's WKT describes it, for programs that know no EPSG code of it.
  std::string esriWkt(const std::string& crs);
  // The length of one unit of the system's first axis in metres (degrees at the equator).
  double metresPerUnit(const std::string& crs);

  // The smallest box in `to` that holds the transformed area of `extent`: its edges are
  // densified before they are transformed. In a geographic `to`, longitudes come back within
  // -180 to 180 and a box across the antimeridian with XMin > XMax. A geographic `from` box with
  // XMin > XMax crosses it too. A box in `to` itself comes back as it is.
  // Coordinates outside the system's range fail with an InputError.
  host::Envelope transform(const host::Envelope& extent, const std::string& from,
                           const std::string& to, const std::string& file,
                           const std::string& place);

 private:
  pj_ctx* context();
  PJconsts* crs(const std::string& definition);
  PJconsts* transformation(const std::string& from, const std::string& to);

  pj_ctx* context_ = nullptr;
  std::map<std::string, PJconsts*> systems_;
  std::map<std::pair<std::string, std::string>, PJconsts*> transformations_;
};

}  // namespace cw::convert
