# Tests run under a Wine prefix of the build tree's own. A CTest fixture
# creates it on first use and keeps its wine server up for the whole run;
# every test executable is one CTest test and requires that fixture.
include(CTest)

set(WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix CACHE PATH "Wine prefix for the tests")
if(CMAKE_SYSTEM_PROCESSOR STREQUAL x86_64)
    set(WINE_ARCH win64)
    set(WINE_LOADER /usr/lib/wine/wine64)
else()
    set(WINE_ARCH win32)
    set(WINE_LOADER /usr/lib/wine/wine)
endif()
set(WINE_ENV ${CMAKE_BINARY_DIR}/wine-env)
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-env.in ${WINE_ENV} @ONLY)
set(WINE_RUN ${CMAKE_BINARY_DIR}/wine-run)
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.in ${WINE_RUN} @ONLY
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                     WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE_RUN})

if(BUILD_TESTING)
    add_test(NAME wine_prefix_up
             COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/wine-prefix.sh up ${WINE_ENV})
    add_test(NAME wine_prefix_down
             COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/wine-prefix.sh down ${WINE_ENV})
    set_tests_properties(wine_prefix_up PROPERTIES FIXTURES_SETUP wine)
    set_tests_properties(wine_prefix_down PROPERTIES FIXTURES_CLEANUP wine)

    set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    # The win32 thread model has no std::mutex; GoogleTest's customisation
    # header supplies the one class that would need it.
    target_include_directories(gtest BEFORE PUBLIC ${PROJECT_SOURCE_DIR}/tests/support/gtest-custom)
endif()

# sysreport_add_test(NAME SOURCES src... [LIBS lib...])
# One test executable, run under the test prefix as one CTest test.
function(sysreport_add_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} gmock gtest_main)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 300)
endfunction()
