# What the cross build for Windows takes from the Linux machine's Debian packages.

# nlohmann-json is header-only; the build sees its headers alone, since the rest of /usr/include
# is glibc's and would shadow the target's own C headers.
set(CW_JSON_INCLUDE ${CMAKE_BINARY_DIR}/json-include)
file(MAKE_DIRECTORY ${CW_JSON_INCLUDE})
file(CREATE_LINK /usr/include/nlohmann ${CW_JSON_INCLUDE}/nlohmann SYMBOLIC)
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
  INTERFACE_SYSTEM_INCLUDE_DIRECTORIES ${CW_JSON_INCLUDE}
  INTERFACE_INCLUDE_DIRECTORIES ${CW_JSON_INCLUDE})

# GoogleTest built from Debian's source package (googletest, /usr/src/googletest) with the
# cross compiler, under its own warning flags rather than the project's.
if(CW_BUILD_TESTS)
  set(CW_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's sources")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  get_directory_property(cw_compile_options COMPILE_OPTIONS)
  set_directory_properties(PROPERTIES COMPILE_OPTIONS "")
  add_subdirectory(${CW_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  set_directory_properties(PROPERTIES COMPILE_OPTIONS "${cw_compile_options}")
endif()
