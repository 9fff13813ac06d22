# What cmake --install lays out for C++ callers beside the programs:
# find_package(Velmoro 1.0) and pkg-config's velmoro, both for the engine
# installed with its public headers (engine/CMakeLists.txt).
include(CMakePackageConfigHelpers)

set(velmoro_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/Velmoro)
install(EXPORT VelmoroTargets NAMESPACE Velmoro:: DESTINATION ${velmoro_cmake_dir}
        COMPONENT development)
configure_package_config_file(cmake/VelmoroConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/VelmoroConfig.cmake
  INSTALL_DESTINATION ${velmoro_cmake_dir}
)
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/VelmoroConfigVersion.cmake
  VERSION ${PROJECT_VERSION}
  COMPATIBILITY SameMajorVersion
)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/VelmoroConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/VelmoroConfigVersion.cmake
        DESTINATION ${velmoro_cmake_dir} COMPONENT development)

# Found relative to the .pc file itself, so that any install prefix serves.
file(RELATIVE_PATH VELMORO_PC_TO_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
configure_file(cmake/velmoro.pc.in ${CMAKE_CURRENT_BINARY_DIR}/velmoro.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/velmoro.pc
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT development)
