#!/usr/bin/env bash
# Runs every file reader of quillmark-cli over every prefix of one good file of
# each format (spellbook, spell list, specialty file, settings file) and over
# special files in a data file's place, and prints for each group the exit
# statuses seen, the longest time and the largest peak memory.
#   bash bench/reader_prefixes.sh [QUILLMARK-CLI] [MASTER]
# A run that takes longer than 10 s is stopped (status 124); memory is limited
# to 2 GB so a reader that eats it cannot take the machine down.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
CLI="$(realpath "${1:-$ROOT/build/cli/quillmark-cli}")"
MASTER="$(realpath "${2:-$ROOT/data/MASTER.DAT}")"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
cd "$WORK"

# One run: prints "status seconds kilobytes".
measure() {
    local status
    status=0
    (ulimit -v 2097152 && exec timeout 10 /usr/bin/time -f "%e %M" -o .time "$CLI" "$@" >/dev/null 2>&1) ||
        status=$?
    if [ -s .time ]; then
        echo "$status $(tail -n 1 .time)"
    else
        echo "$status 10.00 0"
    fi
    rm -f .time
}

# Summarises "status seconds kilobytes" lines read from standard input.
summary() {
    awk -v what="$1" '{ n++; s[$1]++; if ($2 > t) t = $2; if ($3 > m) m = $3 }
        END { line = ""; for (k in s) line = line " exit " k ": " s[k] ";";
              printf "%-34s %6d runs;%s longest %.2f s, peak %d KB\n", what, n, line, t, m }'
}

# Every prefix of file, read as the role puts it (the arguments with PREFIX).
prefixes() {
    local what="$1" file="$2"
    shift 2
    local size
    size=$(stat -c %s "$file")
    for ((n = 0; n <= size; n++)); do
        head -c "$n" "$file" >prefix
        local args=()
        for a in "$@"; do args+=("${a/PREFIX/prefix}"); done
        measure "${args[@]}"
    done | summary "$what ($size bytes)"
}

"$CLI" new --master "$MASTER" --level 9 --intelligence 14 --specialty Invoker --seed 1 -o book.spb
"$CLI" convert book.spb list.dat --as list
printf 'Abjurer\r\nabj\r\nalt,ill\r\nInvoker\r\ni/e\r\n"e/c",abj\r\nWild Mage\r\n"wild, chaos"\r\n\r\n' >specialty.dat
printf '; settings\r\n[SpellFrequencyOdds]\r\nRestricted=100\r\nVery Rare=20\r\nRare=10\r\nUncommon=5\r\nCommon=1\r\n\r\n[Quillmark]\r\nMasterFile=MASTER.DAT\r\n' >settings.ini

prefixes "spellbook (text BOOK)" book.spb text PREFIX
prefixes "spell list (list MASTER)" list.dat list PREFIX
prefixes "specialty file (--specialties)" specialty.dat new --master book.spb --level 5 --intelligence 12 \
    --specialties PREFIX
prefixes "settings file (--settings)" settings.ini new --master book.spb --level 5 --intelligence 12 \
    --settings PREFIX

mkfifo pipe
mkdir folder
for special in pipe /dev/zero /dev/urandom /dev/null folder; do
    for role in "text BOOK|text SPECIAL" "list MASTER|list SPECIAL" \
        "new --master|new --master SPECIAL --level 5 --intelligence 12" \
        "new --specialties|new --master book.spb --level 5 --intelligence 12 --specialties SPECIAL" \
        "new --settings|new --master book.spb --level 5 --intelligence 12 --settings SPECIAL"; do
        read -r -a args <<<"${role#*|}"
        args=("${args[@]/SPECIAL/$special}")
        measure "${args[@]}" | summary "$special as ${role%%|*}"
    done
done
measure convert book.spb pipe | summary "-o pipe nobody reads (convert)"
