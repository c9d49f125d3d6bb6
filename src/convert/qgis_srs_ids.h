#pragma once

#include <optional>

// QGIS names a bookmark's reference system by its own id (srs.db's srs_id), not by an EPSG
// code: WGS 84 is 3452. The ids of the common systems are fixed in QGIS's database; those of
// user-defined systems differ from machine to machine and cannot be carried.
namespace cw::convert {

struct QgisSrsId {
  int epsg;
  int srsId;
};

std::optional<int> qgisSrsIdOfEpsg(int epsgCode);
std::optional<int> epsgOfQgisSrsId(int srsId);

}  // namespace cw::convert
