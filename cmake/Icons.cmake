# Our own pictures are drawn as SVG (data/icons) and rendered to PNG at build time with
# rsvg-convert: the application icon in the hicolor sizes (installed, and the window icon of
# every window) and the stand-ins for the menu and tool-bar pictures the icon theme lacks. The
# program holds them as Qt resources, so it needs no SVG support at run time.
find_program(QUARVEL_RSVG_CONVERT rsvg-convert REQUIRED)

# Cache entries, so the install rules (cmake/Install.cmake) see them too.
set(QUARVEL_ICON_SOURCE_DIR ${PROJECT_SOURCE_DIR}/data/icons CACHE INTERNAL "")
set(QUARVEL_ICON_BUILD_DIR ${PROJECT_BINARY_DIR}/icons CACHE INTERNAL "")
set(QUARVEL_APP_ICON_SIZES 16 22 24 32 48 64 128 256 CACHE INTERNAL "")
set(QUARVEL_ACTION_ICON_SIZES 16 22 24 32 48 CACHE INTERNAL "")

function(quarvel_render_svg svg png size)
  get_filename_component(folder ${png} DIRECTORY)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
    COMMAND ${QUARVEL_RSVG_CONVERT} --width=${size} --height=${size} --output=${png} ${svg}
    DEPENDS ${svg}
    VERBATIM)
endfunction()

set(QUARVEL_ICON_PNGS)
foreach(size ${QUARVEL_APP_ICON_SIZES})
  set(png ${QUARVEL_ICON_BUILD_DIR}/quarvel-${size}.png)
  quarvel_render_svg(${QUARVEL_ICON_SOURCE_DIR}/quarvel.svg ${png} ${size})
  list(APPEND QUARVEL_ICON_PNGS ${png})
endforeach()

file(GLOB QUARVEL_ACTION_SVGS CONFIGURE_DEPENDS ${QUARVEL_ICON_SOURCE_DIR}/actions/*.svg)
foreach(svg ${QUARVEL_ACTION_SVGS})
  get_filename_component(name ${svg} NAME_WE)
  foreach(size ${QUARVEL_ACTION_ICON_SIZES})
    set(png ${QUARVEL_ICON_BUILD_DIR}/actions/${name}-${size}.png)
    quarvel_render_svg(${svg} ${png} ${size})
    list(APPEND QUARVEL_ICON_PNGS ${png})
  endforeach()
endforeach()

qt_add_resources(quarvel_gui quarvel_icons PREFIX /icons BASE ${QUARVEL_ICON_BUILD_DIR}
  FILES ${QUARVEL_ICON_PNGS})
