#include "convert/reference_systems.h"

#include <proj.h>

#include <cmath>
#include <cstdlib>

#include "convert/bookmark.h"
#include "convert/numbers.h"

namespace cw::convert {

namespace {

// Points per edge: enough for a projected box to be held by its transformed outline.
constexpr int kDensifyPoints = 21;

bool isGeographicType(PJ_TYPE type) {
  return type == PJ_TYPE_GEOGRAPHIC_2D_CRS || type == PJ_TYPE_GEOGRAPHIC_3D_CRS ||
         type == PJ_TYPE_GEOGRAPHIC_CRS;
}

std::string boxText(const host::Envelope& e) {
  return exactText(e.XMin) + "," + exactText(e.YMin) + "," + exactText(e.XMax) + "," +
         exactText(e.YMax);
}

// PROJ also takes a bare word as the name of some system ("FOO" finds one); only definitions
// that say what they are count: AUTHORITY:CODE, WKT, a PROJ string or PROJJSON.
bool isDefinitionForm(const std::string& definition) {
  return definition.find(':') != std::string::npos || definition.find('[') != std::string::npos ||
         definition.starts_with("+proj") || definition.starts_with('{');
}

}  // namespace

std::string crsDefinition(const std::string& given) {
  const bool digits = !given.empty() && given.find_first_not_of("0123456789") == std::string::npos;
  return digits ? "EPSG:" + given : given;
}

ReferenceSystems::ReferenceSystems() : context_(proj_context_create()) {
  proj_log_level(context_, PJ_LOG_NONE);
  proj_context_set_enable_network(context_, 0);
}

ReferenceSystems::~ReferenceSystems() {
  for (auto& [key, pj] : transformations_) proj_destroy(pj);
  for (auto& [key, pj] : systems_) proj_destroy(pj);
  proj_context_destroy(context_);
}

PJ* ReferenceSystems::crs(const std::string& definition) {
  if (auto found = systems_.find(definition); found != systems_.end()) return found->second;
  PJ* pj = isDefinitionForm(definition) ? proj_create(context_, definition.c_str()) : nullptr;
  if (pj && !proj_is_crs(pj)) {
    proj_destroy(pj);
    pj = nullptr;
  }
  systems_[definition] = pj;
  return pj;
}

void ReferenceSystems::check(const std::string& definition, const std::string& file,
                             const std::string& place) {
  if (!crs(definition)) {
    throw InputError(file, place, "unknown reference system \"" + definition + "\"");
  }
}

bool ReferenceSystems::same(const std::string& a, const std::string& b) {
  if (a == b) return true;
  PJ* x = crs(a);
  PJ* y = crs(b);
  return x && y && proj_is_equivalent_to_with_ctx(context_, x, y, PJ_COMP_EQUIVALENT);
}

bool ReferenceSystems::isGeographic(const std::string& definition) {
  PJ* pj = crs(definition);
  return pj && isGeographicType(proj_get_type(pj));
}

std::optional<int> ReferenceSystems::epsgCode(const std::string& definition) {
  PJ* pj = crs(definition);
  if (!pj) return std::nullopt;
  const char* authority = proj_get_id_auth_name(pj, 0);
  const char* code = proj_get_id_code(pj, 0);
  if (authority && code && std::string(authority) == "EPSG") return std::atoi(code);
  // A definition without an id of its own (WKT without one, say) may still be an EPSG system.
  int* confidence = nullptr;
  PJ_OBJ_LIST* matches = proj_identify(context_, pj, "EPSG", nullptr, &confidence);
  std::optional<int> found;
  if (matches && proj_list_get_count(matches) > 0 && confidence && confidence[0] >= 90) {
    PJ* best = proj_list_get(context_, matches, 0);
    if (const char* bestCode = proj_get_id_code(best, 0)) found = std::atoi(bestCode);
    proj_destroy(best);
  }
  proj_int_list_destroy(confidence);
  if (matches) proj_list_destroy(matches);
  return found;
}

PJ* ReferenceSystems::transformation(const std::string& from, const std::string& to) {
  const auto key = std::make_pair(from, to);
  if (auto found = transformations_.find(key); found != transformations_.end()) {
    return found->second;
  }
  PJ* raw = proj_create_crs_to_crs_from_pj(context_, crs(from), crs(to), nullptr, nullptr);
  PJ* normalised = raw ? proj_normalize_for_visualization(context_, raw) : nullptr;
  if (raw) proj_destroy(raw);
  transformations_[key] = normalised;
  return normalised;
}

host::Envelope ReferenceSystems::transform(const host::Envelope& extent, const std::string& from,
                                           const std::string& to, const std::string& file,
                                           const std::string& place) {
  check(from, file, place);
  check(to, file, place);
  host::Envelope in = extent;
  if (isGeographic(from)) {
    if (in.YMin < -90 || in.YMax > 90 || in.XMin < -540 || in.XMax > 540) {
      throw InputError(file, place,
                       "the box " + boxText(extent) + " lies outside the range of " + from +
                           " (latitudes -90 to 90)");
    }
    if (in.XMin > in.XMax) in.XMax += 360;  // across the antimeridian
  }
  if (same(from, to)) return extent;
  PJ* pj = transformation(from, to);
  if (!pj) throw InputError(file, place, "no transformation from " + from + " to " + to);
  host::Envelope out;
  const int ok = proj_trans_bounds(context_, pj, PJ_FWD, in.XMin, in.YMin, in.XMax, in.YMax,
                                   &out.XMin, &out.YMin, &out.XMax, &out.YMax, kDensifyPoints);
  const bool finite = std::isfinite(out.XMin) && std::isfinite(out.YMin) &&
                      std::isfinite(out.XMax) && std::isfinite(out.YMax);
  if (!ok || !finite) {
    throw InputError(file, place,
                     "the box " + boxText(extent) + " cannot be transformed from " + from + " to " +
                         to + " (outside the system's range?)");
  }
  return out;
}

}  // namespace cw::convert
