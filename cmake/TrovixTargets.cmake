# Every folder of src/ is one library whose sources are the files in it, so adding
# a file never means editing a list. A folder without sources yet becomes an
# interface library, so that the targets above it can already name it.
function(trovix_library name)
    cmake_parse_arguments(ARG "" "" "PUBLIC;PRIVATE" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS
        "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp" "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
    list(FILTER sources INCLUDE REGEX "\\.cpp$")
    if(sources)
        file(GLOB headers CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
        add_library(${name} STATIC ${sources} ${headers})
        target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}/src")
        target_link_libraries(${name} PUBLIC ${ARG_PUBLIC} PRIVATE trovix_warnings ${ARG_PRIVATE})
    else()
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE "${PROJECT_SOURCE_DIR}/src")
        target_link_libraries(${name} INTERFACE ${ARG_PUBLIC})
    endif()
endfunction()

# One test executable per folder of tests/, each test case registered with CTest.
function(trovix_test_folder name)
    cmake_parse_arguments(ARG "" "" "LIBRARIES;LABELS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
    if(NOT sources)
        return()
    endif()
    add_executable(${name} ${sources})
    target_link_libraries(${name} PRIVATE trovix_warnings trovix_fakes ${ARG_LIBRARIES}
        trovix_test_main GTest::gtest GTest::gmock)
    target_compile_definitions(${name} PRIVATE
        TROVIX_SOURCE_DIR="${PROJECT_SOURCE_DIR}" TROVIX_BINARY_DIR="${PROJECT_BINARY_DIR}")
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 PROPERTIES LABELS "${ARG_LABELS}")
endfunction()
