# Compiles one glibc locale into a folder of the build, for the tests that run under the locales
# our users have, whatever the machine itself has installed. Called as
#   cmake -DLOCALE_SOURCE=de_DE -DLOCALE_DIR=<folder> -DSTAMP=<file> -P MakeLocale.cmake
# A locale that cannot be made is a warning, not a failed build: its tests then skip and say so.
find_program(LOCALEDEF localedef)
set(target "${LOCALE_DIR}/${LOCALE_SOURCE}.UTF-8")
if(NOT LOCALEDEF)
  message(WARNING "localedef not found: the tests under ${LOCALE_SOURCE}.UTF-8 will be skipped")
else()
  file(MAKE_DIRECTORY "${LOCALE_DIR}")
  # -c: localedef reports harmless warnings of the locale sources with a non-zero status, and
  # the locale is still complete.
  execute_process(COMMAND "${LOCALEDEF}" -c -i "${LOCALE_SOURCE}" -f UTF-8 "${target}"
                  RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE errors)
  if(NOT EXISTS "${target}/LC_NUMERIC")
    message(WARNING "localedef could not make ${LOCALE_SOURCE}.UTF-8 (${status}): ${errors}")
  endif()
endif()
file(TOUCH "${STAMP}")
