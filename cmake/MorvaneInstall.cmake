# Install rules of the engine: libmorvane.a, every public header of
# engine/ (so that #include "engine/Morvane.h" works from the installed
# include folder), the font, and the CMake package MorvaneConfig.cmake
# with its version file, which gives another project the target
# Morvane::morvane.
include(CMakePackageConfigHelpers)

set(MORVANE_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/Morvane
  CACHE STRING "Where the Morvane CMake package is installed, below the prefix")

set_target_properties(morvane PROPERTIES EXPORT_NAME morvane)
install(TARGETS morvane EXPORT MorvaneTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/engine
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
  FILES_MATCHING PATTERN "*.h")
install(EXPORT MorvaneTargets
  NAMESPACE Morvane::
  FILE MorvaneTargets.cmake
  DESTINATION ${MORVANE_INSTALL_CMAKEDIR})

# The font the display draws with, for games to copy beside themselves.
set(MORVANE_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/morvane)
install(FILES ${PROJECT_SOURCE_DIR}/data/mo-font.ttf ${PROJECT_SOURCE_DIR}/data/mo-font-LICENSE.txt
  DESTINATION ${MORVANE_INSTALL_DATADIR})

configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/MorvaneConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/MorvaneConfig.cmake
  INSTALL_DESTINATION ${MORVANE_INSTALL_CMAKEDIR}
  PATH_VARS MORVANE_INSTALL_DATADIR)
# Within one major version a newer engine keeps older games building.
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/MorvaneConfigVersion.cmake
  VERSION ${PROJECT_VERSION}
  COMPATIBILITY SameMajorVersion)
install(FILES
  ${CMAKE_CURRENT_BINARY_DIR}/MorvaneConfig.cmake
  ${CMAKE_CURRENT_BINARY_DIR}/MorvaneConfigVersion.cmake
  DESTINATION ${MORVANE_INSTALL_CMAKEDIR})
