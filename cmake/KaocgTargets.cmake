# One static library per source folder; its sources are the folder's .cpp files. Headers are
# listed too, so that a new header re-runs the configure step (and Qt's moc sees it).
# EXCLUDE names files (without folder) that the library leaves out on this platform.
function(kaocg_add_library target)
    cmake_parse_arguments(ARG "" "" "EXCLUDE" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
    file(GLOB headers CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
    foreach(name IN LISTS ARG_EXCLUDE)
        list(REMOVE_ITEM sources "${CMAKE_CURRENT_SOURCE_DIR}/${name}")
        list(REMOVE_ITEM headers "${CMAKE_CURRENT_SOURCE_DIR}/${name}")
    endforeach()
    if(NOT sources)
        # A folder whose code is still to come builds as an empty library.
        set(sources "${CMAKE_CURRENT_BINARY_DIR}/${target}_empty.cpp")
        file(WRITE "${sources}" "")
    endif()
    add_library(${target} STATIC ${sources} ${headers})
    target_include_directories(${target} PUBLIC "${PROJECT_SOURCE_DIR}")
endfunction()

# Code that is not on every platform: a list of names that the current one lacks, for
# kaocg_add_library's EXCLUDE.
function(kaocg_platform_only out)
    cmake_parse_arguments(ARG "" "" "WINDOWS;POSIX" ${ARGN})
    if(WIN32)
        set(${out} ${ARG_POSIX} PARENT_SCOPE)
    else()
        set(${out} ${ARG_WINDOWS} PARENT_SCOPE)
    endif()
endfunction()

# One GoogleTest program per test folder, each test registered with CTest. In a cross build
# every start of a program goes through the emulator, which costs a second or more under
# Wine, so there the program runs once as a whole; GTEST_FILTER then leaves out the tests
# of what the platform lacks.
function(kaocg_add_test_folder target)
    cmake_parse_arguments(ARG "" "GTEST_FILTER" "LIBS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
    if(NOT sources)
        return()
    endif()
    add_executable(${target} ${sources})
    target_link_libraries(${target} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
    target_include_directories(${target} PRIVATE "${PROJECT_SOURCE_DIR}" "${PROJECT_SOURCE_DIR}/tests")
    if(CMAKE_CROSSCOMPILING)
        set(filter "")
        if(ARG_GTEST_FILTER)
            set(filter "--gtest_filter=${ARG_GTEST_FILTER}")
        endif()
        add_test(NAME ${target} COMMAND ${target} ${filter}
                 WORKING_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}")
        kaocg_test_needs_emulator(${target})
    else()
        gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST
                             WORKING_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}")
    endif()
endfunction()

# A test of the cross build that runs in the emulator's fresh Wine prefix.
function(kaocg_test_needs_emulator test)
    if(KAOCG_WINE_FIXTURE)
        set_tests_properties(${test} PROPERTIES FIXTURES_REQUIRED ${KAOCG_WINE_FIXTURE})
    endif()
endfunction()
