# Headers are included by their path from the source root ("core/Errors.h"),
# yet no target sees the whole root: each folder's target offers only its own
# folder, so code can include the headers of exactly the libraries it links
# and a dependency that the layering does not allow fails to compile.
#
# zentrix_folder_headers(<target> <PUBLIC|PRIVATE|INTERFACE>): makes
# build/include/<folder>/ hold one symbolic link, <folder> -> the source
# folder of the calling CMakeLists.txt, and gives that directory to <target>
# as an include directory of the given scope.
function(zentrix_folder_headers target scope)
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  set(root ${PROJECT_BINARY_DIR}/include/${folder})
  set(link ${root}/${folder})
  get_filename_component(parent ${link} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${link} SYMBOLIC)
  target_include_directories(${target} ${scope} ${root})
endfunction()
