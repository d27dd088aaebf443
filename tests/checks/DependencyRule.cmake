cmake_minimum_required(VERSION 3.25)
# The dependency rule: which folders each folder's code may include, and that only
# platform/ includes Qt. Run as a test:
#   cmake -DSOURCE_DIR=<top of the sources> -P DependencyRule.cmake
# It names every include that breaks the rule and fails when there is one.

# Folder: the folders it may include besides itself.
set(ALLOWED_app       platform settings textstore view search help util)
set(ALLOWED_settings  platform)
set(ALLOWED_textstore platform util help settings)   # the location dialog: DataPath, its help page
set(ALLOWED_view      platform textstore search settings util)
set(ALLOWED_search    platform textstore util view help)
set(ALLOWED_help      platform view util)           # util: the version line
set(ALLOWED_util      "")
set(ALLOWED_platform  "")
set(ALLOWED_cli       platform textstore search settings util)
set(ALLOWED_packaging app platform util)               # the icon theme's pictures
set(ALLOWED_fuzz      platform search textstore util view support)   # support: the tests' plain reference scan

# Of the platform, these folders may include only the system half: no window and no Qt.
set(SYSTEM_ONLY util cli settings)
set(SYSTEM_HEADERS Files.h Profile.h)

set(failures "")
foreach(folder app settings textstore view search help util platform cli packaging fuzz)
  file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp)
  foreach(source ${sources})
    file(STRINGS ${SOURCE_DIR}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line ${includes})
      if(line MATCHES "^[ \t]*#[ \t]*include[ \t]*[<\"](Qt[A-Za-z]*/)?Q[A-Za-z]*[>\"]" AND NOT folder STREQUAL "platform")
        list(APPEND failures "${source}: includes Qt: ${line}")
      endif()
      if(NOT line MATCHES "\"([a-z]+)/([^\"]+)\"")
        continue()
      endif()
      set(target ${CMAKE_MATCH_1})
      set(header ${CMAKE_MATCH_2})
      if(target STREQUAL folder)
        continue()
      endif()
      if(NOT target IN_LIST ALLOWED_${folder})
        list(APPEND failures "${source}: ${folder}/ may not include ${target}/: ${line}")
      elseif(target STREQUAL "platform" AND folder IN_LIST SYSTEM_ONLY AND NOT header IN_LIST SYSTEM_HEADERS)
        list(APPEND failures "${source}: ${folder}/ may include only the platform's system half: ${line}")
      endif()
    endforeach()
  endforeach()
endforeach()

if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "The dependency rule is broken:\n  ${text}")
endif()
message(STATUS "Every include keeps to the dependency rule.")
