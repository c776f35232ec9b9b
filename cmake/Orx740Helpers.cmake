# Compiler settings shared by every target of ours.
function(orx740_target_defaults target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
    # GCC 12's optimiser reports overlapping copies inside std::string's own concatenation that
    # cannot happen (a known false positive of that release), which would fail optimised builds.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
        target_compile_options(${target} PRIVATE -Wno-restrict)
    endif()
endfunction()

# Registers one Qt Test executable with CTest. Every test runs headless on the offscreen platform
# and in a private settings location so it never touches the user's own configuration.
#   orx740_add_test(NAME tst_x SOURCES a.cpp b.cpp LIBS orx740_core [GUI])
function(orx740_add_test)
    cmake_parse_arguments(ARG "" "NAME" "SOURCES;LIBS" ${ARGN})
    add_executable(${ARG_NAME} ${ARG_SOURCES})
    orx740_target_defaults(${ARG_NAME})
    set_target_properties(${ARG_NAME} PROPERTIES
        AUTOMOC ON
        RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/tests")
    target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBS} Qt6::Test)
    # Shared helpers live in tests/support/.
    target_include_directories(${ARG_NAME} PRIVATE "${PROJECT_SOURCE_DIR}/tests")
    add_test(NAME ${ARG_NAME} COMMAND ${ARG_NAME})
    set_tests_properties(${ARG_NAME} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_DATA_HOME=${CMAKE_BINARY_DIR}/test-data-home;ORX740_TEST_DATA=${CMAKE_CURRENT_SOURCE_DIR};ORX740_STAGE_ROOT=${CMAKE_BINARY_DIR}"
        TIMEOUT 300)
    # The tests of the plain C++ core alone, which the Windows build also runs under Wine
    # (label "core", target orx740_core_tests).
    set(libs ${ARG_LIBS})
    list(REMOVE_ITEM libs Qt6::Core)
    if(libs STREQUAL "orx740_core")
        set_tests_properties(${ARG_NAME} PROPERTIES LABELS core)
        if(NOT TARGET orx740_core_tests)
            add_custom_target(orx740_core_tests)
        endif()
        add_dependencies(orx740_core_tests ${ARG_NAME})
    endif()
endfunction()

# The command line of a build-time generator of ours (Init files, pictures, manual pages). A
# Windows build made on Linux cannot run its own generators; it runs the ones of a build for the
# build machine, found in ORX740_HOST_TOOLS.
set(ORX740_HOST_TOOLS "" CACHE PATH "Generators built for the build machine (cross builds)")
function(orx740_generator_path out target)
    if(CMAKE_CROSSCOMPILING)
        if(NOT ORX740_HOST_TOOLS)
            message(FATAL_ERROR "A cross build needs ORX740_HOST_TOOLS (scripts/windows sets it)")
        endif()
        set(${out} "${ORX740_HOST_TOOLS}/${target}" PARENT_SCOPE)
    else()
        set(${out} "$<TARGET_FILE:${target}>" PARENT_SCOPE)
    endif()
endfunction()
