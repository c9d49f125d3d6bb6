#include "convert/reference_systems.h"

#include <cmath>
#include <cstdlib>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

#include "convert/bookmark.h"
#include "convert/numbers.h"
#include "convert/proj_library.h"
#include "convert/qgis_srs_ids.h"

namespace cw::convert {

namespace {

// Points per edge at which a box's outline is sampled before the extremes between them are
// searched for.
constexpr int kDensifyPoints = 21;
// Golden-section steps in the search for an edge's extreme: the interval between two samples
// shrinks to a millionth of a millionth of it.
constexpr int kRefineSteps = 58;

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

// Bounds of the box's outline sampled at `points` per edge; in a geographic target a box
// across the antimeridian runs on past 180 degrees, so that bounds can be compared and joined.
std::optional<host::Envelope> boundsOf(PJ_CONTEXT* context, PJ* pj, const host::Envelope& in,
                                       int points, bool geographicTarget) {
  host::Envelope out;
  const int ok = Proj().proj_trans_bounds(context, pj, PJ_FWD, in.XMin, in.YMin, in.XMax, in.YMax,
                                          &out.XMin, &out.YMin, &out.XMax, &out.YMax, points);
  if (!ok || !std::isfinite(out.XMin) || !std::isfinite(out.YMin) || !std::isfinite(out.XMax) ||
      !std::isfinite(out.YMax)) {
    return std::nullopt;
  }
  if (geographicTarget && out.XMin > out.XMax) out.XMax += 360;
  return out;
}

// One edge of a box, from corner (x0, y0) to corner (x1, y1), as the target sees it.
struct Edge {
  PJ* pj;
  double x0, y0, x1, y1;
  bool geographicTarget;
  double westOfDateLine;  // target longitudes below it lie east of the antimeridian

  // The target point at the fraction t of the edge; NaN where the target cannot hold it.
  std::pair<double, double> point(double t) const {
    PJ_COORD c = Proj().proj_coord(x0 + (x1 - x0) * t, y0 + (y1 - y0) * t, 0, 0);
    c = Proj().proj_trans(pj, PJ_FWD, c);
    double x = c.xy.x, y = c.xy.y;
    if (!std::isfinite(x) || !std::isfinite(y)) return {NAN, NAN};  // PROJ's HUGE_VAL too
    if (geographicTarget && x < westOfDateLine) x += 360;
    return {x, y};
  }
  // One coordinate of it: 0 for x, 1 for y.
  double at(double t, int axis) const {
    const auto [x, y] = point(t);
    return axis == 0 ? x : y;
  }

  // The largest value (sign 1) or smallest (sign -1) of the coordinate between the fractions
  // low and high, by golden-section search on a curve with one extreme there.
  double extreme(double low, double high, int axis, double sign) const {
    constexpr double kRatio = 0.6180339887498949;
    double a = high - kRatio * (high - low), b = low + kRatio * (high - low);
    double fa = sign * at(a, axis), fb = sign * at(b, axis);
    for (int step = 0; step < kRefineSteps && std::isfinite(fa) && std::isfinite(fb); ++step) {
      if (fa > fb) {
        high = b, b = a, fb = fa;
        a = high - kRatio * (high - low);
        fa = sign * at(a, axis);
      } else {
        low = a, a = b, fa = fb;
        b = low + kRatio * (high - low);
        fb = sign * at(b, axis);
      }
    }
    return sign * std::fmax(fa, fb);
  }
};

// An edge that bends reaches its extreme between the sampled points, where a plain sampling
// misses part of the area: every edge whose extreme lies between its corners is searched for
// it, and the bounds widened to hold it.
void widenToEdgeExtremes(PJ* pj, const host::Envelope& in, bool geographicTarget,
                         host::Envelope& out) {
  constexpr int kSegments = kDensifyPoints + 1;
  const double corners[4][4] = {{in.XMin, in.YMin, in.XMax, in.YMin},
                                {in.XMax, in.YMin, in.XMax, in.YMax},
                                {in.XMax, in.YMax, in.XMin, in.YMax},
                                {in.XMin, in.YMax, in.XMin, in.YMin}};
  for (const auto& c : corners) {
    const Edge edge{pj, c[0], c[1], c[2], c[3], geographicTarget, out.XMin - 180};
    double samples[2][kSegments + 1];
    for (int i = 0; i <= kSegments; ++i) {
      std::tie(samples[0][i], samples[1][i]) = edge.point(static_cast<double>(i) / kSegments);
    }
    for (int axis = 0; axis < 2; ++axis) {
      double* low = axis == 0 ? &out.XMin : &out.YMin;
      double* high = axis == 0 ? &out.XMax : &out.YMax;
      const double* values = samples[axis];
      int lowest = 0, highest = 0;
      for (int i = 1; i <= kSegments; ++i) {
        if (!(values[i] >= values[lowest])) lowest = i;
        if (!(values[i] <= values[highest])) highest = i;
      }
      auto fraction = [&](int i) { return static_cast<double>(i) / kSegments; };
      if (lowest > 0 && lowest < kSegments) {
        *low = std::fmin(*low, edge.extreme(fraction(lowest - 1), fraction(lowest + 1), axis, -1));
      }
      if (highest > 0 && highest < kSegments) {
        *high =
            std::fmax(*high, edge.extreme(fraction(highest - 1), fraction(highest + 1), axis, 1));
      }
    }
  }
}

// The code of "EPSG:CODE" when it is one of the common systems QGIS has a fixed id for: those
// are known to exist without asking PROJ.
std::optional<int> knownEpsgCode(const std::string& definition) {
  constexpr std::string_view kPrefix = "EPSG:";
  if (!definition.starts_with(kPrefix) || definition.size() > kPrefix.size() + 6 ||
      definition.size() == kPrefix.size() || definition[kPrefix.size()] == '0' ||
      definition.find_first_not_of("0123456789", kPrefix.size()) != std::string::npos) {
    return std::nullopt;
  }
  const int code = std::atoi(definition.c_str() + kPrefix.size());
  if (!qgisSrsIdOfEpsg(code)) return std::nullopt;
  return code;
}

}  // namespace

std::string crsDefinition(const std::string& given) {
  const bool digits = !given.empty() && given.find_first_not_of("0123456789") == std::string::npos;
  return digits ? "EPSG:" + given : given;
}

ReferenceSystems::ReferenceSystems() = default;

ReferenceSystems::~ReferenceSystems() {
  if (!context_) return;  // PROJ was never asked: nothing of it was made
  for (auto& [key, pj] : transformations_) Proj().proj_destroy(pj);
  for (auto& [key, pj] : systems_) Proj().proj_destroy(pj);
  Proj().proj_context_destroy(context_);
}

// PROJ opens its database on the first question; a conversion that asks none (its systems all
// known EPSG codes, nothing to transform) is spared that.
PJ_CONTEXT* ReferenceSystems::context() {
  if (!context_) {
    context_ = Proj().proj_context_create();
    Proj().proj_log_level(context_, PJ_LOG_NONE);
    Proj().proj_context_set_enable_network(context_, 0);
  }
  return context_;
}

PJ* ReferenceSystems::crs(const std::string& definition) {
  if (auto found = systems_.find(definition); found != systems_.end()) return found->second;
  PJ* pj =
      isDefinitionForm(definition) ? Proj().proj_create(context(), definition.c_str()) : nullptr;
  if (pj && !Proj().proj_is_crs(pj)) {
    Proj().proj_destroy(pj);
    pj = nullptr;
  }
  systems_[definition] = pj;
  return pj;
}

void ReferenceSystems::check(const std::string& definition, const std::string& file,
                             const std::string& place) {
  if (knownEpsgCode(definition)) return;
  if (!crs(definition)) {
    throw InputError(file, place, "unknown reference system \"" + definition + "\"");
  }
}

bool ReferenceSystems::same(const std::string& a, const std::string& b) {
  if (a == b) return true;
  if (a.empty() || b.empty()) return false;
  PJ* x = crs(a);
  PJ* y = crs(b);
  return x && y && Proj().proj_is_equivalent_to_with_ctx(context(), x, y, PJ_COMP_EQUIVALENT);
}

bool ReferenceSystems::isGeographic(const std::string& definition) {
  PJ* pj = crs(definition);
  return pj && isGeographicType(Proj().proj_get_type(pj));
}

std::optional<int> ReferenceSystems::epsgCode(const std::string& definition) {
  if (auto known = knownEpsgCode(definition)) return known;
  PJ* pj = crs(definition);
  if (!pj) return std::nullopt;
  const char* authority = Proj().proj_get_id_auth_name(pj, 0);
  const char* code = Proj().proj_get_id_code(pj, 0);
  if (authority && code && std::string(authority) == "EPSG") return std::atoi(code);
  // A definition without an id of its own (WKT without one, a PROJ string, OGC:CRS84) may
  // still be an EPSG system: the first candidate PROJ finds that is the same system but for the
  // order of its axes, which the converter fixes anyway.
  int* confidence = nullptr;
  PJ_OBJ_LIST* matches = Proj().proj_identify(context(), pj, "EPSG", nullptr, &confidence);
  std::optional<int> found;
  const int count = matches ? Proj().proj_list_get_count(matches) : 0;
  for (int i = 0; i < count && !found; ++i) {
    PJ* candidate = Proj().proj_list_get(context(), matches, i);
    const char* candidateCode = Proj().proj_get_id_code(candidate, 0);
    if (candidateCode &&
        Proj().proj_is_equivalent_to_with_ctx(context(), candidate, pj,
                                              PJ_COMP_EQUIVALENT_EXCEPT_AXIS_ORDER_GEOGCRS)) {
      found = std::atoi(candidateCode);
    }
    Proj().proj_destroy(candidate);
  }
  Proj().proj_int_list_destroy(confidence);
  if (matches) Proj().proj_list_destroy(matches);
  return found;
}

std::string ReferenceSystems::esriWkt(const std::string& definition) {
  PJ* pj = crs(definition);
  const char* wkt = pj ? Proj().proj_as_wkt(context(), pj, PJ_WKT1_ESRI, nullptr) : nullptr;
  return wkt ? wkt : "";
}

double ReferenceSystems::metresPerUnit(const std::string& definition) {
  constexpr double kEquatorRadius = 6378137;
  PJ* pj = crs(definition);
  PJ* cs = pj ? Proj().proj_crs_get_coordinate_system(context(), pj) : nullptr;
  double toBase = 1;  // metres, or radians for an angle
  if (cs)
    Proj().proj_cs_get_axis_info(context(), cs, 0, nullptr, nullptr, nullptr, &toBase, nullptr,
                                 nullptr, nullptr);
  if (cs) Proj().proj_destroy(cs);
  return isGeographic(definition) ? toBase * kEquatorRadius : toBase;
}

PJ* ReferenceSystems::transformation(const std::string& from, const std::string& to) {
  const auto key = std::make_pair(from, to);
  if (auto found = transformations_.find(key); found != transformations_.end()) {
    return found->second;
  }
  PJ* raw = Proj().proj_create_crs_to_crs_from_pj(context(), crs(from), crs(to), nullptr, nullptr);
  PJ* normalised = raw ? Proj().proj_normalize_for_visualization(context(), raw) : nullptr;
  if (raw) Proj().proj_destroy(raw);
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
  const bool geographicTarget = isGeographic(to);
  std::optional<host::Envelope> out = boundsOf(context(), pj, in, kDensifyPoints, geographicTarget);
  if (!out) {
    throw InputError(file, place,
                     "the box " + boxText(extent) + " cannot be transformed from " + from + " to " +
                         to + " (outside the system's range?)");
  }
  host::Envelope padded = *out;
  widenToEdgeExtremes(pj, in, geographicTarget, padded);
  if (geographicTarget) {
    padded.YMin = std::fmax(padded.YMin, -90);
    padded.YMax = std::fmin(padded.YMax, 90);
    padded = withLongitudesWithin180(padded);
  }
  return padded;
}

host::Envelope withLongitudesWithin180(host::Envelope box) {
  if (box.XMin > box.XMax) box.XMax += 360;
  if (box.XMax - box.XMin >= 360) return {-180, box.YMin, 180, box.YMax};
  const double turns = std::floor((box.XMin + 180) / 360);
  box.XMin -= 360 * turns;
  box.XMax -= 360 * turns;
  if (box.XMax > 180) box.XMax -= 360;  // across the antimeridian: west of east
  return box;
}

}  // namespace cw::convert
