# zentrix_gzip_file(<source> <output>): a build rule that compresses a file
# as Debian packages carry documentation: gzip -9n, without the name or time
# stamp, so the same sources give the same package.
include_guard(GLOBAL)
find_program(ZENTRIX_GZIP gzip REQUIRED)
function(zentrix_gzip_file source output)
  get_filename_component(dir ${output} DIRECTORY)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND ${ZENTRIX_GZIP} -9nc ${source} > ${output}
    DEPENDS ${source})
endfunction()
