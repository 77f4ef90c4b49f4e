# The locales the tests run under besides C and POSIX (which every C library has built in): the
# German ones our users have, and the ones whose number conventions differ most from ours (an
# apostrophe or a narrow no-break space as group separator, a dotless i).
set(QUARVEL_TEST_LOCALE_SOURCES de_DE de_AT de_CH en_US fr_FR tr_TR)
# Build trees may share one folder (test.sh does), so the locales are compiled once.
set(QUARVEL_TEST_LOCALE_DIR ${CMAKE_BINARY_DIR}/locales CACHE PATH
    "Folder the test locales are compiled into")

set(stamps)
foreach(source IN LISTS QUARVEL_TEST_LOCALE_SOURCES)
  set(stamp ${QUARVEL_TEST_LOCALE_DIR}/${source}.stamp)
  add_custom_command(
    OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DLOCALE_SOURCE=${source} -DLOCALE_DIR=${QUARVEL_TEST_LOCALE_DIR}
            -DSTAMP=${stamp} -P ${CMAKE_CURRENT_LIST_DIR}/MakeLocale.cmake
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/MakeLocale.cmake
    COMMENT "Compiling the test locale ${source}.UTF-8"
    VERBATIM)
  list(APPEND stamps ${stamp})
endforeach()
add_custom_target(quarvel_test_locales DEPENDS ${stamps})
