# Build helpers shared by every layer.

set(TRACKQUERY_WARNINGS -Wall -Wextra)

# trackquery_add_library(<name> DIR <folder> [DEPS <targets>...])
# A static library made of every .cpp below <folder>. A folder without sources yet gives an
# interface library, so the layers above can already name it.
function(trackquery_add_library name)
    cmake_parse_arguments(ARG "" "DIR" "DEPS" ${ARGN})
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${ARG_DIR}/*.cpp")
    if(sources)
        add_library(${name} STATIC ${sources})
        target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
        target_compile_options(${name} PRIVATE ${TRACKQUERY_WARNINGS})
        target_link_libraries(${name} PUBLIC ${ARG_DEPS})
    else()
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
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
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
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
