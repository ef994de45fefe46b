# Writes the help2man include file of zentrix-cli's manual page: a COMMANDS
# section with the --help of every command the program lists, so the page
# says what the program says.
#   cmake -DCLI=<zentrix-cli> -DOUT=<file> -P ManCommands.cmake
set(ENV{ASAN_OPTIONS} detect_leaks=0)
execute_process(COMMAND ${CLI} --help OUTPUT_VARIABLE top RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${CLI} --help failed")
endif()

# The command names: the first word of each line under "Subcommands:".
string(REGEX REPLACE ".*\nSubcommands:\n" "" listing "${top}")
string(REGEX REPLACE "\n\n.*" "" listing "${listing}")
string(REGEX MATCHALL "(^|\n)  [a-z]+" names "${listing}")

set(text "[COMMANDS]\n")
foreach(name IN LISTS names)
  string(STRIP "${name}" name)
  execute_process(COMMAND ${CLI} ${name} --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${CLI} ${name} --help failed")
  endif()
  # roff: backslashes are escapes, and a leading dot or quote starts a request.
  string(REPLACE "\\" "\\e" help "${help}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" help "${help}")
  string(APPEND text ".SS \"zentrix-cli ${name}\"\n.nf\n${help}.fi\n")
endforeach()

string(APPEND text "[EXIT STATUS]
0 when the command did what was asked; 1 when
.B cidr \\-\\-contains
finds the address outside the network, or when
.B plan
could not place every request; 2 for input the command cannot
take, with one line on standard error that names it and nothing on
standard output.
[JSON]
.B \\-\\-json
writes one document. Addresses are strings, prefix lengths and IPv4 counts
are numbers, and IPv6 counts (which can pass 64 bits) are strings of
decimal digits. The decimal values of
.B radix
and the delays and percentages of
.B latency
are numbers; hexadecimal and binary digits are strings. A list is an array of objects, followed by
.IR listed ,
.I total
and
.IR limited .
[SEE ALSO]
.BR zentrix (1),
.BR sipcalc (1)
")
file(WRITE ${OUT} "${text}")
