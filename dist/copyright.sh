#!/bin/sh
# Writes the package's copyright file: the head given, then the font's licence text as the body
# of its closing License paragraph (each line indented, empty lines as " .").
# usage: copyright.sh HEAD LICENCE OUTPUT
set -eu
{
    cat "$1"
    sed -e 's/[[:space:]]*$//' -e 's/^$/./' -e 's/^/ /' "$2"
} >"$3.tmp"
mv "$3.tmp" "$3"
