#!/bin/bash
# Usage: tools/check-resources.sh EXE
# Fails unless the PE file EXE carries every resource Mapio.exe needs:
# dialogs 100, 102, 131, 134, 135, 136 and 137, icon group 128 with its images, the
# string block that holds string 101, version information and manifest 1.
# OBJDUMP overrides the objdump to use (default i686-w64-mingw32-objdump).
set -euo pipefail

if [ $# -ne 1 ]; then
  echo "usage: $0 EXE" >&2
  exit 2
fi
exe=$1
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}

if ! dump=$("$objdump" -p "$exe" 2>&1); then
  echo "check-resources: $objdump -p $exe failed: $dump" >&2
  exit 2
fi
if ! grep -q 'The .rsrc Resource Directory section' <<<"$dump"; then
  echo "check-resources: $exe has no resource section" >&2
  exit 1
fi

# One "TYPE ID" line per resource, both decimal. An entry's level (type,
# name or language) is known by the table header one column to its left.
found=$(awk '
  /^ *[0-9a-f]+ +(Type|Name|Language) Table:/ {
    match($0, /^ *[0-9a-f]+ +/); level[RLENGTH + 1] = $2; next
  }
  /^ *[0-9a-f]+ +Entry: ID: 0x[0-9a-f]+/ {
    match($0, /^ *[0-9a-f]+ +/); kind = level[RLENGTH]
    id = $4; sub(/,$/, "", id)
    if (kind == "Type") type = id
    else if (kind == "Name") print type, id
  }' <<<"$dump" | while read -r type id; do printf '%d %d\n' "$type" "$id"; done |
  sort -n -k1,1 -k2,2 -u)

missing=()
need() {  # need TYPE ID|any WHAT
  local pattern="^$1 $2\$"
  [ "$2" = any ] && pattern="^$1 "
  grep -q "$pattern" <<<"$found" || missing+=("$3")
}
for dialog in 100 102 131 134 135 136 137; do need 5 "$dialog" "dialog $dialog"; done
need 14 128 "icon group 128"
need 3 any "icon images"
need 6 $((101 / 16 + 1)) "string 101 (string block $((101 / 16 + 1)))"
need 16 any "version information"
need 24 1 "manifest 1"

if [ ${#missing[@]} -ne 0 ]; then
  for what in "${missing[@]}"; do echo "check-resources: $exe lacks $what" >&2; done
  exit 1
fi
echo "check-resources: $exe has every resource ($(wc -l <<<"$found") in all)"
