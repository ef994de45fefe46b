#!/usr/bin/env bash
# The bash completion made from zentrix-cli's --help offers the commands,
# each command's options and files after '@'.
#   completion.sh <zentrix-cli.bash>
set -u
source "$1"
fails=0
expect() { # words... -- expected reply
    local words=() reply
    while [ "$1" != "--" ]; do words+=("$1"); shift; done
    shift
    COMP_WORDS=("${words[@]}")
    COMP_CWORD=$((${#words[@]} - 1))
    COMPREPLY=()
    _zentrix_cli
    reply="${COMPREPLY[*]}"
    if [ "$reply" != "$*" ]; then
        echo "${words[*]}: offered '$reply', expected '$*'"
        fails=$((fails + 1))
    fi
}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
touch "$dir/routes.txt"
expect zentrix-cli ci -- cidr
expect zentrix-cli cidr 10.0.0.0/8 --ex -- --exclude
expect zentrix-cli subnet 10.0.0.1 --st -- --strict
expect zentrix-cli radix 1 --width 3 -- 32
expect zentrix-cli cidr --summarize "@$dir/ro" -- "@$dir/routes.txt"
exit $((fails > 0))
