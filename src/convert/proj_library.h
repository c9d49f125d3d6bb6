#pragma once

#include <proj.h>

// PROJ, loaded the first time a conversion asks it something. Most conversions between the
// common systems never do, and a program linked with it pays at every start for the loading of
// the forty-odd libraries PROJ itself needs (some 6 ms, half the start of a small conversion).
namespace cw::convert {

#define CW_PROJ_FUNCTIONS(X)          \
  X(proj_as_wkt)                      \
  X(proj_context_create)              \
  X(proj_context_destroy)             \
  X(proj_context_set_enable_network)  \
  X(proj_coord)                       \
  X(proj_create)                      \
  X(proj_create_crs_to_crs_from_pj)   \
  X(proj_crs_get_coordinate_system)   \
  X(proj_cs_get_axis_info)            \
  X(proj_destroy)                     \
  X(proj_get_id_auth_name)            \
  X(proj_get_id_code)                 \
  X(proj_get_type)                    \
  X(proj_identify)                    \
  X(proj_int_list_destroy)            \
  X(proj_is_crs)                      \
  X(proj_is_equivalent_to_with_ctx)   \
  X(proj_list_destroy)                \
  X(proj_list_get)                    \
  X(proj_list_get_count)              \
  X(proj_log_level)                   \
  X(proj_normalize_for_visualization) \
  X(proj_trans)                       \
  X(proj_trans_bounds)

struct ProjLibrary {
#define CW_PROJ_POINTER(name) decltype(&::name) name = nullptr;
  CW_PROJ_FUNCTIONS(CW_PROJ_POINTER)
#undef CW_PROJ_POINTER
};

// The library, loaded on the first call; when it cannot be loaded, an InputError says so.
const ProjLibrary& Proj();

}  // namespace cw::convert
