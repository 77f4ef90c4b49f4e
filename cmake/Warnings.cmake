# Strict warnings for our own targets; sanitizers when asked for.
function(quarvel_target_defaults target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
  target_compile_definitions(${target} PRIVATE QT_DISABLE_DEPRECATED_BEFORE=0x060400)
endfunction()

# The fuzz build instruments the libraries the harnesses call as well: libFuzzer then follows the
# coverage of the parsers themselves, and the sanitizers watch their memory and arithmetic, not
# only the harness's few lines.
if(QUARVEL_BUILD_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined)
endif()

if(QUARVEL_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# Collects the sources of a folder tree, so a new file needs no edit of a list.
function(quarvel_sources out dir)
  file(GLOB_RECURSE found CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
  set(${out} ${found} PARENT_SCOPE)
endfunction()

# Release builds carry the hardening Debian builds its packages with (lintian looks for it):
# checked buffer functions, a stack protector, a read-only relocation table and every symbol
# bound at start. Fortified functions need the optimiser, so debug builds go without.
if(CMAKE_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo|MinSizeRel)$" AND NOT QUARVEL_BUILD_FUZZ)
  add_compile_options(-D_FORTIFY_SOURCE=2 -fstack-protector-strong)
endif()
# Binding costs nothing at -O0, so every build but the fuzzers' is linked this way.
if(NOT QUARVEL_BUILD_FUZZ)
  add_link_options(-Wl,-z,relro,-z,now)
endif()
