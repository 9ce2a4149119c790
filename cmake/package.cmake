# Installs the CMake packages hosts consume with find_package(Linvale) and
# find_package(Quorra).
include(CMakePackageConfigHelpers)

if(TARGET linvale)
  set(LINVALE_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Linvale)
  install(EXPORT LinvaleTargets NAMESPACE Linvale:: DESTINATION ${LINVALE_CMAKE_DIR})
  configure_package_config_file(${CMAKE_SOURCE_DIR}/cmake/LinvaleConfig.cmake.in
    ${CMAKE_BINARY_DIR}/LinvaleConfig.cmake INSTALL_DESTINATION ${LINVALE_CMAKE_DIR})
  write_basic_package_version_file(${CMAKE_BINARY_DIR}/LinvaleConfigVersion.cmake
    VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
  install(FILES ${CMAKE_BINARY_DIR}/LinvaleConfig.cmake ${CMAKE_BINARY_DIR}/LinvaleConfigVersion.cmake
    DESTINATION ${LINVALE_CMAKE_DIR})
endif()

if(TARGET quorra)
  set(QUORRA_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Quorra)
  install(EXPORT QuorraTargets NAMESPACE Quorra:: DESTINATION ${QUORRA_CMAKE_DIR})
  configure_package_config_file(${CMAKE_SOURCE_DIR}/cmake/QuorraConfig.cmake.in
    ${CMAKE_BINARY_DIR}/QuorraConfig.cmake INSTALL_DESTINATION ${QUORRA_CMAKE_DIR})
  write_basic_package_version_file(${CMAKE_BINARY_DIR}/QuorraConfigVersion.cmake
    VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
  install(FILES ${CMAKE_BINARY_DIR}/QuorraConfig.cmake ${CMAKE_BINARY_DIR}/QuorraConfigVersion.cmake
    DESTINATION ${QUORRA_CMAKE_DIR})
endif()
