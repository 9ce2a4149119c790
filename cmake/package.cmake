# Installs the CMake packages hosts consume with find_package(Linvale) and
# find_package(Quorra).
include(CMakePackageConfigHelpers)

# Installs the package `name` (its export set `<name>Targets`, config from
# cmake/<name>Config.cmake.in and a version file) when `target` is built.
function(linvale_install_package name target)
  if(NOT TARGET ${target})
    return()
  endif()
  set(destination ${CMAKE_INSTALL_LIBDIR}/cmake/${name})
  install(EXPORT ${name}Targets NAMESPACE ${name}:: DESTINATION ${destination})
  configure_package_config_file(${CMAKE_SOURCE_DIR}/cmake/${name}Config.cmake.in
    ${CMAKE_BINARY_DIR}/${name}Config.cmake INSTALL_DESTINATION ${destination})
  write_basic_package_version_file(${CMAKE_BINARY_DIR}/${name}ConfigVersion.cmake
    VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
  install(FILES ${CMAKE_BINARY_DIR}/${name}Config.cmake ${CMAKE_BINARY_DIR}/${name}ConfigVersion.cmake
    DESTINATION ${destination})
endfunction()

linvale_install_package(Linvale linvale)
linvale_install_package(Quorra quorra)
