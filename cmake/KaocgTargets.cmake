# One static library per source folder; its sources are the folder's .cpp files. Headers are
# listed too, so that a new header re-runs the configure step (and Qt's moc sees it).
function(kaocg_add_library target)
    file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
    file(GLOB headers CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
    if(NOT sources)
        # A folder whose code is still to come builds as an empty library.
        set(sources "${CMAKE_CURRENT_BINARY_DIR}/${target}_empty.cpp")
        file(WRITE "${sources}" "")
    endif()
    add_library(${target} STATIC ${sources} ${headers})
    target_include_directories(${target} PUBLIC "${PROJECT_SOURCE_DIR}")
endfunction()

# One GoogleTest program per test folder, each test registered with CTest.
function(kaocg_add_test_folder target)
    cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
    if(NOT sources)
        return()
    endif()
    add_executable(${target} ${sources})
    target_link_libraries(${target} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
    target_include_directories(${target} PRIVATE "${PROJECT_SOURCE_DIR}" "${PROJECT_SOURCE_DIR}/tests")
    gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST
                         WORKING_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}")
endfunction()
