#!/usr/bin/env bash
# The program's main job without its windows: makes a sample spellbook from the
# sample master list with quillmark-cli and prints the book's text.
# Usage: scripts/cli-demo.sh [BUILD_FOLDER]   (default: build/run)
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${1:-$ROOT/build/run}"
CLI="$BUILD/cli/quillmark-cli"

if [ ! -x "$CLI" ]; then
    echo "quillmark-cli is not built in $BUILD; run: bash scripts/run.sh" >&2
    exit 1
fi
# The book goes into the build folder, named from the project's root below.
BUILD="$(cd "$BUILD" && pwd)"
CLI="$BUILD/cli/quillmark-cli"

cd "$ROOT"
book="$(realpath --relative-to="$ROOT" "$BUILD")/Sample.SPB"
echo "Making a sample spellbook for a level 7 Conjurer with intelligence 15 from data/MASTER.DAT:"
echo "    quillmark-cli new --master data/MASTER.DAT --level 7 --intelligence 15 --specialty Conjurer -o $book"
"$CLI" new --master data/MASTER.DAT --level 7 --intelligence 15 --specialty Conjurer -o "$book"
echo "    quillmark-cli text $book --columns 1"
echo
"$CLI" text "$book" --columns 1 | tr -d '\r'
echo
echo "The book is saved as $book; \"$CLI --help\" lists the other commands."
echo "To start the windows later, run \"bash scripts/run.sh\" again in a desktop session (or over ssh -X)."
