# Checks which folder includes which, so that the layering of the folders
# cannot drift: a folder includes headers of its own and of the folders
# named for it below, nothing else, and the folders without a window include
# no Qt header. Run as a test: cmake -DZENTRIX_ROOT=<source root> -P layers.cmake
#
# The build enforces the same through each library's include directory; this
# check also covers what the build cannot see, such as a folder that links a
# library it has no business with.

cmake_minimum_required(VERSION 3.25)

set(allowed_app subnet radix latency planner performance workbench controls path core resources)
set(allowed_planner ipaddress output controls core)
set(allowed_performance path controls core)
set(allowed_workbench bits ipaddress controls core)
set(allowed_subnet ipaddress controls core)
set(allowed_radix controls core)
set(allowed_latency path controls core)
set(allowed_controls core)
set(allowed_cli ipaddress output path bits core)
set(allowed_bits ipaddress core)
set(allowed_ipaddress output core)
set(allowed_path core)
set(allowed_output core)
set(allowed_core)
set(qt_free core output ipaddress path bits cli)
set(layered app planner performance workbench subnet radix latency controls cli bits ipaddress path
    output core)
# Every top-level folder of sources a quoted include can name.
set(source_folders ${layered} resources tests fuzz bench tools)

if(NOT IS_DIRECTORY "${ZENTRIX_ROOT}/core")
  message(FATAL_ERROR "ZENTRIX_ROOT (${ZENTRIX_ROOT}) is not the source root")
endif()

set(faults "")
foreach(folder IN LISTS layered)
  file(GLOB_RECURSE sources RELATIVE "${ZENTRIX_ROOT}"
       "${ZENTRIX_ROOT}/${folder}/*.h" "${ZENTRIX_ROOT}/${folder}/*.cpp")
  foreach(source IN LISTS sources)
    file(STRINGS "${ZENTRIX_ROOT}/${source}" includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line IN LISTS includes)
      if(line MATCHES "#[ \t]*include[ \t]*\"([^\"]*)\"")
        set(header "${CMAKE_MATCH_1}")
        if(header MATCHES "\\.\\.")
          string(APPEND faults "  ${source}: \"${header}\" climbs out of its folder\n")
        elseif(header MATCHES "^([^/]+)/")
          set(target "${CMAKE_MATCH_1}")
          if(NOT target STREQUAL folder AND NOT target IN_LIST allowed_${folder})
            if(target IN_LIST source_folders)
              string(APPEND faults "  ${source}: ${folder}/ may not include \"${header}\"\n")
            endif()
          endif()
        endif()
      endif()
      if(folder IN_LIST qt_free AND line MATCHES "#[ \t]*include[ \t]*[<\"](Q[A-Za-z]*|ui_[^>\"]*)[>\"/]")
        string(APPEND faults "  ${source}: ${folder}/ is free of Qt but includes ${CMAKE_MATCH_1}\n")
      endif()
    endforeach()
  endforeach()
endforeach()

if(faults)
  message(FATAL_ERROR "Includes against the layering of the folders:\n${faults}"
    "Allowed: app -> subnet, radix, latency, planner, performance, workbench, controls, path, "
    "core, resources; planner -> ipaddress, output, controls, core; "
    "performance -> path, controls, core; workbench -> bits, ipaddress, controls, core; "
    "subnet -> ipaddress, controls, core; radix -> controls, core; "
    "latency -> path, controls, core; controls -> core; "
    "cli -> ipaddress, output, path, bits, core; bits -> ipaddress, core; "
    "ipaddress -> output, core; path -> core; output -> core; core -> nothing.")
endif()
message(STATUS "Folder layering holds")
