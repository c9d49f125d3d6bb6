#!/usr/bin/env bash
# How fast the converter is: a list of N bookmarks (100 groups) to GeoJSON in WGS 84 (every box
# transformed from UTM zone 10), and to QGIS XML and back in the list's own system.
#   tests/convert/speed.sh [N] [build/release/corbelwick-convert]
set -euo pipefail
count=${1:-10000}
converter=${2:-build/release/corbelwick-convert}
converter=$(realpath "$converter")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

awk -v n="$count" 'BEGIN {
  tag = "\"Bookmarks_v2.0\""; line = tag
  for (i = 1; i < 10; i++) line = line "," tag
  printf "%s\r\n", line
  for (i = 0; i < n; i++) {
    g = "Group " int(i / (n / 100 > 1 ? n / 100 : 1))
    if (!(g in seen)) {
      seen[g] = 1; line = "\"" g "\""
      for (f = 1; f < 10; f++) line = line ",\"ud2s88oew\""
      printf "%s\r\n", line
    }
    x = 400000 + (i % 1000) * 100; y = 5000000 + int(i / 1000) * 100
    printf "\"%s\",\"Bookmark %d\",%d.5,%d.25,%d.75,%d,,,,\r\n", g, i, x, y, x + 2500, y + 1800
  }
}' >in.bmk

run() {
  local what=$1; shift
  /usr/bin/time -f "%e s (processor %U s + %S s), %M KiB peak" -o time.txt "$converter" "$@" >/dev/null
  printf '%-40s %s\n' "$what" "$(cat time.txt)"
}
echo "$count bookmarks, $(stat -c %s in.bmk) bytes of list"
run ".bmk -> .geojson (EPSG:26910 -> WGS 84)" in.bmk out.geojson --crs 26910
run ".geojson -> .bmk" out.geojson back.bmk
run ".bmk -> .xml (EPSG:26910, QGIS)" in.bmk out.xml --crs 26910
run ".xml -> .bmk" out.xml back2.bmk
cmp -s back.bmk in.bmk && cmp -s back2.bmk in.bmk && echo "both lists came back byte for byte"
