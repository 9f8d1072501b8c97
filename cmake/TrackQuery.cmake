# Build helpers shared by every layer.

set(TRACKQUERY_WARNINGS -Wall -Wextra)

# Each layer is an include root of its own: <build>/include-roots/<layer> holds only a link to the
# layer's folder, so a target sees the folders of the layers it links and no other. An include that
# goes against the layers does not compile.
#
# trackquery_layer_root(<layer> <folder>) gives the include root of the layer whose sources are
# <folder> (a path below the repository, "faces/text"); TRACKQUERY_ROOT_<layer> names it.
function(trackquery_layer_root layer folder)
    set(root ${PROJECT_BINARY_DIR}/include-roots/${layer})
    get_filename_component(parent ${root}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    if(NOT IS_SYMLINK ${root}/${folder})
        file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
    endif()
    set(TRACKQUERY_ROOT_${layer} ${root} CACHE INTERNAL "include root of ${layer}")
endfunction()

# trackquery_add_library(<name> DIR <folder> LAYER <layer> [DEPS <targets>...])
# A static library made of every .cpp below <folder>, whose users see the include root of
# <layer>. A folder without sources gives an interface library, so the layers above can name it.
function(trackquery_add_library name)
    cmake_parse_arguments(ARG "" "DIR;LAYER" "DEPS" ${ARGN})
    if(NOT ARG_LAYER OR NOT DEFINED TRACKQUERY_ROOT_${ARG_LAYER})
        message(FATAL_ERROR "trackquery_add_library(${name}): unknown LAYER \"${ARG_LAYER}\"")
    endif()
    set(root ${TRACKQUERY_ROOT_${ARG_LAYER}})
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${ARG_DIR}/*.cpp")
    if(sources)
        add_library(${name} STATIC ${sources})
        target_include_directories(${name} PUBLIC ${root})
        target_compile_options(${name} PRIVATE ${TRACKQUERY_WARNINGS})
        target_link_libraries(${name} PUBLIC ${ARG_DEPS})
    else()
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE ${root})
        target_link_libraries(${name} INTERFACE ${ARG_DEPS})
    endif()
endfunction()

# trackquery_add_test(<name> DIR <folder> LIBS <targets>... [LABELS <labels>...] [POSTGRES])
# One GoogleTest program made of every .cpp in tests/<folder>; each test case becomes a CTest test
# with a timeout, so a stuck modal loop fails instead of hanging the run. POSTGRES runs every test
# case a second time (named ....postgres, labelled postgres) on the throwaway PostgreSQL server
# that the CTest fixture postgres_server starts (tests/support/test_server.h). A discovered test
# takes one ENVIRONMENT entry only (gtest_discover_tests splits a list into properties), so the
# PostgreSQL variant is told by its server folder alone.
function(trackquery_add_test name)
    cmake_parse_arguments(ARG "POSTGRES" "DIR" "LIBS;LABELS" ${ARGN})
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${ARG_DIR}/*.cpp")
    if(NOT sources)
        return()
    endif()
    add_executable(${name} ${sources})
    target_compile_options(${name} PRIVATE ${TRACKQUERY_WARNINGS})
    target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
    target_compile_definitions(${name} PRIVATE
        TRACKQUERY_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
        TRACKQUERY_BINARY_DIR="${PROJECT_BINARY_DIR}")
    # The failure log of the programs under test stays in the build folder, not the user's.
    gtest_discover_tests(${name}
        WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
        PROPERTIES TIMEOUT 120 LABELS "${ARG_LABELS}"
            ENVIRONMENT "XDG_STATE_HOME=${PROJECT_BINARY_DIR}/test-state"
        DISCOVERY_TIMEOUT 60)
    if(ARG_POSTGRES)
        gtest_discover_tests(${name}
            TEST_SUFFIX ".postgres"
            WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
            PROPERTIES TIMEOUT 120 LABELS "postgres" FIXTURES_REQUIRED postgres_server
                ENVIRONMENT "TRACKQUERY_TEST_POSTGRES_FOLDER=${TRACKQUERY_TEST_POSTGRES_FOLDER}"
            DISCOVERY_TIMEOUT 60)
    endif()
endfunction()
