# Run by `cmake --install` for the portable folder: copies into it what the
# program loads that a desktop without Qt lacks, so it starts on any x86-64
# Linux with glibc 2.36 or later:
#   lib/          the libraries the program and the plugins below need (the
#                 program's RPATH is $ORIGIN/lib), but for the C and C++
#                 runtimes, which every system has and which must match the
#                 system's own graphics drivers;
#   plugins/      Qt's plugins for X11 and Wayland, WebP and SVG pictures,
#                 SVG icons and input methods (qt.conf points Qt here);
#   translations/ Qt's own texts (standard buttons) in the program's languages;
#   fonts/        DejaVu Sans with a font configuration, used only on a
#                 system that has none of its own;
#   licenses/     the terms of each carried library's Debian package.
# Set by the install code before it: VATICOR_PROGRAM, VATICOR_QT_PLUGINS,
# VATICOR_BUNDLED_PLUGINS, VATICOR_QT_TRANSLATIONS, VATICOR_PACKAGING_DIR.

set(_root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")

set(_modules)
foreach(_plugin IN LISTS VATICOR_BUNDLED_PLUGINS)
  get_filename_component(_category ${_plugin} DIRECTORY)
  file(INSTALL "${VATICOR_QT_PLUGINS}/${_plugin}" DESTINATION "${_root}/plugins/${_category}")
  list(APPEND _modules "${VATICOR_QT_PLUGINS}/${_plugin}")
endforeach()

file(GET_RUNTIME_DEPENDENCIES
  EXECUTABLES "${VATICOR_PROGRAM}"
  MODULES ${_modules}
  RESOLVED_DEPENDENCIES_VAR _libraries
  UNRESOLVED_DEPENDENCIES_VAR _missing
  # The C library and the dynamic loader, libstdc++ and libgcc_s: the
  # system's own (graphics drivers the system loads into the program use
  # them too, and a second copy would clash).
  PRE_EXCLUDE_REGEXES
    "^ld-linux" "^libc\\.so" "^libm\\.so" "^libdl\\.so" "^libpthread\\.so" "^librt\\.so"
    "^libresolv\\.so" "^libutil\\.so" "^libstdc\\+\\+\\.so" "^libgcc_s\\.so"
  POST_EXCLUDE_REGEXES "^/lib64/ld-linux")
if(_missing)
  message(FATAL_ERROR "The portable folder cannot carry libraries not found here: ${_missing}")
endif()
foreach(_library IN LISTS _libraries)
  # Under the name it is asked by (the soname), the file itself.
  get_filename_component(_name "${_library}" NAME)
  file(REAL_PATH "${_library}" _file)
  file(INSTALL "${_file}" DESTINATION "${_root}/lib" RENAME "${_name}"
       FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
endforeach()
# The terms each carried library comes under, as its Debian package states
# them (Qt's LGPL among them), in licenses/PACKAGE.
set(_packages)
foreach(_library IN LISTS _libraries)
  file(REAL_PATH "${_library}" _file)
  execute_process(COMMAND dpkg-query -S "${_file}" OUTPUT_VARIABLE _owner
                  RESULT_VARIABLE _unowned ERROR_QUIET)
  if(NOT _unowned)
    string(REGEX REPLACE ":.*" "" _owner "${_owner}")
    list(APPEND _packages "${_owner}")
  endif()
endforeach()
list(REMOVE_DUPLICATES _packages)
foreach(_package IN LISTS _packages)
  string(REGEX REPLACE ":.*" "" _name "${_package}")
  if(EXISTS "/usr/share/doc/${_name}/copyright")
    file(INSTALL "/usr/share/doc/${_name}/copyright" DESTINATION "${_root}/licenses"
         RENAME "${_name}")
  endif()
endforeach()
list(LENGTH _libraries _count)
message(STATUS "Portable folder: ${_count} libraries in lib/")

foreach(_language de en es fr ru uk)
  if(EXISTS "${VATICOR_QT_TRANSLATIONS}/qtbase_${_language}.qm")
    file(INSTALL "${VATICOR_QT_TRANSLATIONS}/qtbase_${_language}.qm"
         DESTINATION "${_root}/translations")
  endif()
endforeach()

file(INSTALL "${VATICOR_PACKAGING_DIR}/qt.conf" DESTINATION "${_root}")
set(_fonts /usr/share/fonts/truetype/dejavu)
file(INSTALL "${_fonts}/DejaVuSans.ttf" "${_fonts}/DejaVuSans-Bold.ttf"
             "${VATICOR_PACKAGING_DIR}/fonts.conf" DESTINATION "${_root}/fonts")
file(INSTALL /usr/share/doc/fonts-dejavu-core/copyright DESTINATION "${_root}/fonts"
     RENAME LICENSE)
