# One static library per source folder; its sources are the folder's .cpp files.
function(kaocg_add_library target)
    file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
    if(NOT sources)
        # A folder whose code is still to come builds as an empty library.
        set(sources "${CMAKE_CURRENT_BINARY_DIR}/${target}_empty.cpp")
        file(WRITE "${sources}" "")
    endif()
    add_library(${target} STATIC ${sources})
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
