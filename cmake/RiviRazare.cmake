# Helpers shared by the source folders, the tests and the benchmarks.

# rr_add_library(<name> [DEPS <targets>...])
# One static library from every source of the calling folder.
function(rr_add_library name)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS
        "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp"
        "${CMAKE_CURRENT_SOURCE_DIR}/*.h"
        "${CMAKE_CURRENT_SOURCE_DIR}/*.qrc")
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC "${CMAKE_SOURCE_DIR}/src")
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# rr_add_tests(LIBS <targets>...)
# Every tst_*.cpp of the calling folder becomes one Qt Test executable and one CTest test,
# so a new test file needs no change here.
function(rr_add_tests)
    cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
    file(GLOB tests CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/tst_*.cpp")
    get_filename_component(folder "${CMAKE_CURRENT_SOURCE_DIR}" NAME)
    foreach(source IN LISTS tests)
        get_filename_component(base "${source}" NAME_WE)
        set(target "${folder}_${base}")
        # The shared test helpers carry Q_OBJECT: listed so that moc sees them.
        add_executable(${target} "${source}" "${CMAKE_SOURCE_DIR}/tests/support/shell_catcher.h")
        target_include_directories(${target} PRIVATE "${CMAKE_SOURCE_DIR}/tests/support")
        target_link_libraries(${target} PRIVATE ${ARG_LIBS} Qt6::Test)
        target_compile_definitions(${target} PRIVATE
            RR_PROGRAM="$<TARGET_FILE:rivirazare>"
            RR_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
            RR_BUILD_DIR="${CMAKE_BINARY_DIR}")
        add_test(NAME ${target} COMMAND ${target})
        set_tests_properties(${target} PROPERTIES
            ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QTWEBENGINE_CHROMIUM_FLAGS=--no-sandbox"
            TIMEOUT 600)
    endforeach()
endfunction()
