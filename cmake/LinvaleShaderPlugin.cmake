# linvale_add_shader_plugin: one shader plug-in, built the way the renderer
# expects to find it.
#
#   linvale_add_shader_plugin(NAME <name>
#     SOURCES <file>...             the plug-in module: at least the entry points
#     [CORE_SOURCES <file>...]      a static library <name>_core the module and
#                                   the plug-in's tests link
#     [LIBRARIES <target>...]       what the core (or, without one, the module)
#                                   links besides linvale
#     [STYLES <file>...]            shipped style files (and their images), copied
#                                   into the build's styles folder and installed
#     [DATA <file>...]              files the plug-in reads beside itself
#                                   (textures), copied there and installed
#     [OUTPUT_DIRECTORY <folder>]   where the module goes; the build tree's
#                                   "Shaders" folder when not given
#     [TEST_ONLY])                  built for tests only: nothing is installed
#
# The module is named <name>.so without a "lib" prefix. The renderer only ever
# looks up NprShaderCreate and NprShaderDelete, so nothing else is exported;
# and it unloads a plug-in when the last reference goes, which a unique symbol
# (a static local of an inline function or template, under GCC) would
# silently prevent, hence -fno-gnu-unique on the module and its core.
include_guard(GLOBAL)

function(linvale_add_shader_plugin)
  cmake_parse_arguments(PLUGIN "TEST_ONLY" "NAME;OUTPUT_DIRECTORY" "SOURCES;CORE_SOURCES;LIBRARIES;STYLES;DATA"
                        ${ARGN})
  if(NOT PLUGIN_NAME OR NOT PLUGIN_SOURCES)
    message(FATAL_ERROR "linvale_add_shader_plugin needs NAME and SOURCES")
  endif()
  set(name ${PLUGIN_NAME})
  set(folder ${LINVALE_SHADERS_DIR})
  if(PLUGIN_OUTPUT_DIRECTORY)
    set(folder ${PLUGIN_OUTPUT_DIRECTORY})
  endif()

  set(module_links linvale ${PLUGIN_LIBRARIES})
  if(PLUGIN_CORE_SOURCES)
    add_library(${name}_core STATIC ${PLUGIN_CORE_SOURCES})
    _linvale_hide_plugin_symbols(${name}_core PUBLIC)
    target_include_directories(${name}_core PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${name}_core PUBLIC ${module_links})
    set(module_links ${name}_core)
  endif()

  add_library(${name} MODULE ${PLUGIN_SOURCES})
  _linvale_hide_plugin_symbols(${name} PRIVATE)
  set_target_properties(${name} PROPERTIES
    PREFIX ""
    LIBRARY_OUTPUT_DIRECTORY ${folder}
    INSTALL_RPATH "$ORIGIN/..")
  target_link_libraries(${name} PRIVATE ${module_links})
  # Hidden visibility still leaves what headers mark visible (Linvale's
  # type information, the standard library's template statics); the
  # version script keeps even those inside.
  set(exports ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/shader_plugin_exports.map)
  target_link_options(${name} PRIVATE "LINKER:--version-script=${exports}")
  set_target_properties(${name} PROPERTIES LINK_DEPENDS ${exports})

  set(copies)
  _linvale_copy_files(copies ${LINVALE_STYLES_DIR} ${PLUGIN_STYLES})
  _linvale_copy_files(copies ${folder} ${PLUGIN_DATA})
  if(copies)
    add_custom_target(${name}_files ALL DEPENDS ${copies})
    add_dependencies(${name} ${name}_files)
  endif()

  if(NOT PLUGIN_TEST_ONLY)
    install(TARGETS ${name} LIBRARY DESTINATION ${LINVALE_INSTALL_LIBDIR}/Shaders)
    install(FILES ${PLUGIN_DATA} DESTINATION ${LINVALE_INSTALL_LIBDIR}/Shaders)
    install(FILES ${PLUGIN_STYLES} DESTINATION ${LINVALE_INSTALL_STYLESDIR})
  endif()
endfunction()

# linvale_add_shader_pages: the property pages of shader plug-in <plugin>, in
# a module of their own beside the renderer's libraries.
#
#   linvale_add_shader_pages(PLUGIN <plugin>
#     SOURCES <file>...             the pages, their Q_OBJECT headers (for
#                                   AUTOMOC) and the file defining NprMakePages
#     [LIBRARIES <target>...]       linked besides the plug-in's core (when it
#                                   has one) and Linvale's Qt library
#     [TEST_ONLY])                  built for tests only: nothing is installed
#
# Makes lib<plugin>-pages.so, which the plug-in loads through NprPageSet when
# the settings dialog first asks for a page, so a render never maps Qt. Only
# Linvale's entry functions (<linvale/npr_pages_interface.h>) and what a
# header marks NPR_PAGES_API for tests are exported. Building the plug-in
# builds its pages.
function(linvale_add_shader_pages)
  cmake_parse_arguments(PAGES "TEST_ONLY" "PLUGIN" "SOURCES;LIBRARIES" ${ARGN})
  if(NOT PAGES_PLUGIN OR NOT PAGES_SOURCES)
    message(FATAL_ERROR "linvale_add_shader_pages needs PLUGIN and SOURCES")
  endif()
  set(name ${PAGES_PLUGIN}-pages)
  find_package(Qt6 REQUIRED COMPONENTS Widgets)
  add_library(${name} SHARED ${PAGES_SOURCES})
  set_target_properties(${name} PROPERTIES
    AUTOMOC ON
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON
    INSTALL_RPATH "$ORIGIN")
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE linvale-pages-entry)
  target_link_libraries(${name} PUBLIC linvale-ui Qt6::Widgets ${PAGES_LIBRARIES})
  if(TARGET ${PAGES_PLUGIN}_core)
    target_link_libraries(${name} PUBLIC ${PAGES_PLUGIN}_core)
  endif()
  add_dependencies(${PAGES_PLUGIN} ${name})
  if(NOT PAGES_TEST_ONLY)
    install(TARGETS ${name} LIBRARY DESTINATION ${LINVALE_INSTALL_LIBDIR})
  endif()
endfunction()

# Hidden visibility and no unique symbols; `scope` PUBLIC passes the
# compile option on to what links the target.
function(_linvale_hide_plugin_symbols target scope)
  set_target_properties(${target} PROPERTIES
    POSITION_INDEPENDENT_CODE ON
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  target_compile_options(${target} ${scope} -fno-gnu-unique)
endfunction()

# Appends to the list named `copies_variable` the copy in `folder` of each of
# the files (relative to the current source folder, or generated in this
# folder).
function(_linvale_copy_files copies_variable folder)
  set(outputs ${${copies_variable}})
  foreach(file IN LISTS ARGN)
    cmake_path(ABSOLUTE_PATH file BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR} OUTPUT_VARIABLE source)
    cmake_path(GET source FILENAME file_name)
    set(output "${folder}/${file_name}")
    add_custom_command(OUTPUT "${output}"
      COMMAND ${CMAKE_COMMAND} -E make_directory "${folder}"
      COMMAND ${CMAKE_COMMAND} -E copy "${source}" "${output}"
      DEPENDS "${source}"
      COMMENT "Copying ${file_name}"
      VERBATIM)
    list(APPEND outputs "${output}")
  endforeach()
  set(${copies_variable} ${outputs} PARENT_SCOPE)
endfunction()
