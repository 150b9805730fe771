# The compiled-in skin's source folder: skin.ini and the pictures it names. A packager can
# compile in another skin with -DPB_SKIN_DIR=<folder>. The folder is checked here; at build
# time pbskin packs it and tools/CheckSkin.cmake rejects a damaged skin.
set(PB_SKIN_DIR "${CMAKE_CURRENT_SOURCE_DIR}/skins/default" CACHE PATH
    "Folder of the compiled-in skin's sources (skin.ini and its pictures)")
get_filename_component(PB_SKIN_DIR_ABS "${PB_SKIN_DIR}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
if(NOT IS_DIRECTORY "${PB_SKIN_DIR_ABS}")
  message(FATAL_ERROR "PB_SKIN_DIR: ${PB_SKIN_DIR_ABS} is not a folder")
endif()
if(NOT EXISTS "${PB_SKIN_DIR_ABS}/skin.ini")
  message(FATAL_ERROR "PB_SKIN_DIR: ${PB_SKIN_DIR_ABS} has no skin.ini")
endif()

# The sections every skin has, and the control sections the main window draws from.
file(STRINGS "${PB_SKIN_DIR_ABS}/skin.ini" _pb_skin_sections REGEX "^[ \t]*\\[[^]]*\\]")
set(_pb_found "")
foreach(_line ${_pb_skin_sections})
  string(REGEX REPLACE "^[ \t]*\\[([^]]*)\\].*" "\\1" _name "${_line}")
  string(TOLOWER "${_name}" _name)
  list(APPEND _pb_found "${_name}")
endforeach()
foreach(_required version pictures forminfo skinobjects skincontrols panel tab expanel)
  if(NOT _required IN_LIST _pb_found)
    message(FATAL_ERROR "PB_SKIN_DIR: ${PB_SKIN_DIR_ABS}/skin.ini has no [${_required}] section")
  endif()
endforeach()
file(GLOB PB_SKIN_FILES CONFIGURE_DEPENDS "${PB_SKIN_DIR_ABS}/*")
message(STATUS "Puzzlebin compiled-in skin: ${PB_SKIN_DIR_ABS}")
