# vellum_add_library(name SOURCES ... HEADERS ... [LINK_SHARED ...] [LINK_STATIC ...])
#
# Builds one set of objects into a shared library `name` and a static library `name_static`
# (exported as Vellum::name and Vellum::name_static), and installs both with the headers
# under include/vellum/<folder>. LINK_SHARED and LINK_STATIC are what each variant links, so
# that a shared backend links the shared core and a static one the static core.
function(vellum_add_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;HEADERS;LINK_SHARED;LINK_STATIC;LINK_PRIVATE" ${ARGN})
    add_library(${name}_objects OBJECT ${ARG_SOURCES})
    target_include_directories(${name}_objects PUBLIC
        $<BUILD_INTERFACE:${VELLUM_INCLUDE_ROOT}>
        $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
    target_link_libraries(${name}_objects PRIVATE ${ARG_LINK_PRIVATE})
    vellum_set_warnings(${name}_objects)

    add_library(${name} SHARED $<TARGET_OBJECTS:${name}_objects>)
    add_library(${name}_static STATIC $<TARGET_OBJECTS:${name}_objects>)
    target_link_libraries(${name} PUBLIC ${ARG_LINK_SHARED} PRIVATE ${ARG_LINK_PRIVATE})
    target_link_libraries(${name}_static PUBLIC ${ARG_LINK_STATIC} ${ARG_LINK_PRIVATE})
    string(REPLACE "vellum_" "" export_name ${name})
    foreach(lib ${name} ${name}_static)
        target_include_directories(${lib} PUBLIC
            $<BUILD_INTERFACE:${VELLUM_INCLUDE_ROOT}>
            $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
        target_compile_features(${lib} PUBLIC cxx_std_20)
    endforeach()
    # Installed shared libraries find the ones they depend on beside themselves.
    set_target_properties(${name} PROPERTIES OUTPUT_NAME ${name} EXPORT_NAME ${export_name}
        VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR} INSTALL_RPATH "$ORIGIN")
    set_target_properties(${name}_static PROPERTIES OUTPUT_NAME ${name}
        EXPORT_NAME ${export_name}_static)
    add_library(Vellum::${export_name} ALIAS ${name})
    add_library(Vellum::${export_name}_static ALIAS ${name}_static)

    install(TARGETS ${name} ${name}_static EXPORT VellumTargets
            LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
            ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
            RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    foreach(header IN LISTS ARG_HEADERS)
        file(RELATIVE_PATH relative ${CMAKE_SOURCE_DIR} ${header})
        get_filename_component(folder ${relative} DIRECTORY)
        install(FILES ${header} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/vellum/${folder})
    endforeach()
endfunction()
