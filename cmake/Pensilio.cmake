# Shared settings for every target of the project.

function(pensilio_target_settings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    if(PENSILIO_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
    target_compile_definitions(${target} PRIVATE
        QT_NO_CAST_FROM_ASCII
        QT_NO_CAST_TO_ASCII
        QT_NO_CAST_FROM_BYTEARRAY
        QT_NO_URL_CAST_FROM_STRING
        QT_USE_QSTRINGBUILDER
        QT_NO_KEYWORDS)
endfunction()

# pensilio_library(<name> SOURCES ... LIBS ...): one static library for one folder of the tree.
function(pensilio_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
    pensilio_target_settings(${name})
endfunction()

# pensilio_test(<name> SOURCES ... LIBS ...): one Qt Test executable registered with CTest.
# Every test runs on the offscreen platform so that no display is needed.
function(pensilio_test name)
    cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LIBS})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
    target_compile_definitions(${name} PRIVATE
        PENSILIO_FIXTURES="${PROJECT_SOURCE_DIR}/tests/fixtures")
    pensilio_target_settings(${name})
    add_test(NAME ${name} COMMAND ${name})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 300)
    endif()
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;QT_LOGGING_RULES=qt.qpa.*=false"
        TIMEOUT ${ARG_TIMEOUT})
endfunction()

# A folder whose every .cpp/.h belongs to its library; new files join without editing lists.
function(pensilio_folder_library name)
    cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h
        ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
    pensilio_library(${name} SOURCES ${sources} LIBS ${ARG_LIBS})
endfunction()

# Every tst_<name>.cpp of a test folder becomes the test executable tst_<name>; files named
# support_*.cpp/.h are compiled into each of them.
function(pensilio_folder_tests)
    cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
    file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tst_*.cpp)
    file(GLOB support CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/support_*.cpp
        ${CMAKE_CURRENT_SOURCE_DIR}/support_*.h)
    foreach(test IN LISTS tests)
        get_filename_component(name ${test} NAME_WE)
        pensilio_test(${name} SOURCES ${test} ${support} LIBS ${ARG_LIBS})
    endforeach()
endfunction()
