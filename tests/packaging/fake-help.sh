#!/bin/sh
# A program with commands and commands of commands, whose --help is shaped as CLI11's.
# "broken --help" fails, as a command whose help cannot be read.
case "$*" in
"--help")
    printf 'fake: writes \\things, safely.\nUsage: /some/where/fake [OPTIONS] SUBCOMMAND\n\n'
    printf 'Options:\n  -h,--help                   Print this help message and exit\n\n'
    printf 'Subcommands:\n  roster                      Roster commands\n  release                     Release a player\n' ;;
"roster --help")
    printf 'Roster commands\nUsage: /some/where/fake roster [OPTIONS] SUBCOMMAND\n\n'
    printf 'Options:\n  -h,--help                   Print this help message and exit\n'
    printf '  --csv                       Print CSV\n\nSubcommands:\n  list                        List the roster\n' ;;
"roster list --help")
    printf 'List the roster\nUsage: /some/where/fake roster list [OPTIONS] PATH [FILES...]\n\n'
    printf 'Positionals:\n  PATH TEXT REQUIRED          The league file (.lge)\n'
    printf '  YEARS SALARY BONUS TEXT x 3 Texts typed into the boxes\n' ;;
"release --help")
    printf 'Release a player\nUsage: /some/where/fake release [OPTIONS] PATH\n\nOptions:\n'
    printf '  --a-very-long-option-name-here TEXT\n                              %s\n' "'Quoted' text;"
    printf '                              going on here\n' ;;
*) echo "no such command" >&2; exit 3 ;;
esac
