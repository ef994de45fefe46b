# Writes the help2man include file of zentrix-cli's manual page: a COMMANDS
# section with the --help of every command the program lists, an EXAMPLES
# section with what the program answers to them, and the written sections of
# docs/man/zentrix-cli.h2m. Everything the program says is taken from it at
# build time, so the page cannot fall behind the program.
#   cmake -DCLI=<zentrix-cli> -DSECTIONS=<zentrix-cli.h2m> -DOUT=<file> -P ManCommands.cmake
set(ENV{ASAN_OPTIONS} detect_leaks=0)
# man indents a command's text by 7 columns: at 73 its lines end by column 80.
set(ENV{COLUMNS} 73)

execute_process(COMMAND ${CLI} --help OUTPUT_VARIABLE top RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${CLI} --help failed")
endif()

# Lines shown as they are (.nf): roff escapes. A backslash starts an escape,
# a leading dot or quote a request, and "-" would be set as a hyphen, which
# does not paste back into a shell.
function(roff_literal text out)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

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
  roff_literal("${help}" help)
  string(APPEND text ".SS \"zentrix-cli ${name}\"\n.nf\n${help}.fi\n")
endforeach()

# Examples with their answers. Each is a command line (a list) and the
# lines of output to show (0: all; a cut answer says so under it).
set(examples
  "cidr|192.168.10.77/26" 0
  "cidr|192.0.2.0/31|--json" 0
  "cidr|10.0.0.0/8|--split|28|--limit|3|--csv" 0
  "cidr|10.0.0.0/8|--contains|10.20.30.40|11.0.0.1/16" 0
  "cidr|--summarize|10.0.0.0/24|10.0.1.0/24|10.0.2.0/23" 0
  "cidr|10.0.0.0/22|--exclude|10.0.1.0/24|--plain" 0
  "cidr|--lookup|10.1.2.3|192.0.2.7|--in|10.0.0.0/8|--jsonl" 0
  "cidr|10.0.0.0/16|--exclude|10.0.64.0/18|10.0.1.0/24" 0
  "cidr|10.0.0.0/22|--diff|10.0.0.0/23|10.0.2.0/24|10.9.0.0/24" 0
  "cidr|--lookup|10.1.2.3|--in|10.0.0.0/8|10.1.0.0/16" 0
  "cidr|--reverse-zones|192.0.2.64/26|10.0.0.0/23" 0
  "cidr|--reverse-zones|2001:db8::/31" 0
  "cidr|--ptr|2001:db8::1" 0
  "subnet|200.1.2.3|--bits|2|--table" 0
  "radix|0xFFFFFFFA|--width|32" 0
  "latency|--network|Ethernet:10|--network|T1|--csv" 0)
set(text_examples "[EXAMPLES]\n")
list(LENGTH examples count)
math(EXPR last "${count} - 1")
foreach(i RANGE 0 ${last} 2)
  list(GET examples ${i} command)
  math(EXPR j "${i} + 1")
  list(GET examples ${j} lines)
  string(REPLACE "|" ";" arguments "${command}")
  execute_process(COMMAND ${CLI} ${arguments} OUTPUT_VARIABLE answer RESULT_VARIABLE status)
  if(status GREATER 1)
    message(FATAL_ERROR "${CLI} ${arguments} failed")
  endif()
  if(lines GREATER 0)
    string(REGEX MATCHALL "[^\n]*\n" answer_lines "${answer}")
    list(LENGTH answer_lines all_lines)
    list(SUBLIST answer_lines 0 ${lines} answer_lines)
    string(JOIN "" answer ${answer_lines})
    string(APPEND answer "(the first ${lines} of ${all_lines} lines)\n")
  endif()
  string(REPLACE ";" " " shown "${arguments}")
  set(block "$ zentrix-cli ${shown}\n${answer}")
  if(status EQUAL 1)
    string(APPEND block "(exit status 1)\n")
  endif()
  roff_literal("${block}" block)
  string(APPEND text_examples ".PP\n.nf\n${block}.fi\n")
endforeach()

file(READ ${SECTIONS} written)
file(WRITE ${OUT} "${text}${text_examples}${written}")
