#!/usr/bin/env bash
# Report benchmark: the form library (Dorvin.dll through bench/reports.cpp)
# over BENCH_PEOPLE (10,000 rows) of the test data source KTEST, under Wine:
# compiling a 100 KB form section, a form per record into a page file, a
# TABLE part into a page file, and 1,000 records on the printer "PDF" until
# the PDF is whole beside the same texts put out by bare TextOutA calls (the
# floor that Wine's printer driver sets) and groff -t -Tps of the same rows,
# Cyrillic letters included, through lp -d PDF.
set -euo pipefail
source "$(dirname "$0")/bench_env.sh" reports_bench.exe
bench_unmanaged reports_bench.exe
db="$root/build/odbc/ktest.db"
sqlite3 "$db" "DROP TABLE IF EXISTS BENCH_PEOPLE;
  CREATE TABLE BENCH_PEOPLE (ID INTEGER PRIMARY KEY, NAME VARCHAR(20), CITY VARCHAR(20));
  WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 10000)
  INSERT INTO BENCH_PEOPLE SELECT i, printf('Абонент %05d', i), CASE i % 2 WHEN 1 THEN 'Омск' ELSE 'Тула' END FROM n;"
work=$(mktemp -d)
trap 'rm -rf "$work"; korvex_wine_down' EXIT
run() { wine "$root/build/bin/reports_bench.exe" "$@" 2>/dev/null | tr -d '\r'; }
calc() { LC_ALL=C awk "BEGIN { print $1 }"; }
row() { LC_ALL=C printf '%-34s %10s %s\n' "$1" "$2" "$3"; }

# A section of about 100 KB: boxes and texts with expressions.
{
  printf 'FORM 1\r\nFONT Arial,10,B\r\n'
  for i in $(seq 1400); do
    printf 'BOX 10,%d,100,%d,LTRB\r\nTEXT C{Total of line %d: [S] [MID(NAME,2,3)]}\r\n' $((i % 200)) $((i % 200 + 5)) "$i"
  done
  printf 'END\r\n'
} > "$work/forms.frm"
set -- $(run compile "Z:${work//\//\\}\\forms.frm")
row "compile $(($(stat -c %s "$work/forms.frm") / 1024)) KB section" "$(calc "$3 * 1000") ms" "(target: 50 ms or less)"
set -- $(run file 2000)
row "FILE|TABLE, $2 records (223 pages)" "$4 rec/s" "(target: at least 2,000 records/s)"
set -- $(run table 10000)
row "TABLE part, $2 rows to a page file" "$4 rows/s" "(target: at least 10,000 rows/s)"

# Seconds from start until the PDF titled $1 (made after the marker; groff's
# title comes in parentheses) last
# grew: it is whole once its size stays the same for a second and pdfinfo
# reads it.
pdf_whole() {
  local title=$1 start=$2 f size last=-1 same=0 at=none
  for _ in $(seq 1500); do
    f=$(find "$HOME/PDF" -name '*.pdf' -newer "$work/mark" 2>/dev/null | while read -r p; do
          [ "$(pdfinfo "$p" 2>/dev/null | sed -n 's/^Title: *//p' | tr -d '()')" = "$title" ] && echo "$p"; done | head -1)
    if [ -n "$f" ]; then
      size=$(stat -c %s "$f")
      if [ "$size" = "$last" ]; then same=$((same + 1)); else same=0; at=$(calc "($(date +%s%N) - $start) / 1e9"); fi
      last=$size
      if [ $same -ge 5 ] && pdfinfo "$f" >/dev/null 2>&1; then rm -f "$f"; echo "$at"; return; fi
    fi
    sleep 0.2
  done
  echo none
}
touch "$work/mark"; sleep 1
start=$(date +%s%N)
run print 1000 >/dev/null
korvex=$(pdf_whole reports_print "$start")
row "1,000 records to PDF, Korvex" "$korvex s" "(form of one 5 mm line a record)"
touch "$work/mark"; sleep 1
start=$(date +%s%N)
run lines 1000 >/dev/null
lines=$(pdf_whole reports_lines "$start")
row "the same texts by bare TextOutA" "$lines s" "(the floor: Wine's printer driver alone; Korvex $(calc "$korvex / $lines")x)"

# groff's own PostScript fonts have no Cyrillic glyphs (it would leave them
# out and print less text): a font "CYR" of the Cyrillic glyphs of the URW
# Times that the printer's PostScript interpreter has (fonts-urw-base35,
# their Unicode from Ghostscript's glyph list) serves as groff's special
# font, so that every letter of the rows is printed.
afm=/usr/share/fonts/type1/urw-base35/NimbusRoman-Regular.afm
agl=$(ls /usr/share/ghostscript/*/Resource/Init/gs_agl.ps 2>/dev/null | head -1)
if [ ! -f "$afm" ] || [ -z "$agl" ]; then
  echo "groff row left out: no Cyrillic font (fonts-urw-base35 and ghostscript are needed)"
  exit 0
fi
mkdir -p "$work/font/devps"
LC_ALL=C awk '
  FNR == NR { if ($1 ~ /^\/[A-Za-z0-9.]+$/ && $2 ~ /^16#04[0-9A-F][0-9A-F]$/) uni[substr($1, 2)] = substr($2, 4); next }
  FNR == 1 { print "name CYR\ninternalname NimbusRoman-Regular\nspacewidth 250\ncharset"; code = 256 }
  $1 == "C" { for (i = 1; i < NF; i++) { if ($i == "WX") w = $(i + 1); if ($i == "N") n = $(i + 1) }
              if (n in uni) printf "u%s\t%d\t0\t%d\t%s\n", uni[n], w, code++, n }
' "$agl" "$afm" > "$work/font/devps/CYR"
sqlite3 -separator "$(printf '\t')" "$db" "SELECT NAME || ' - ' || CITY FROM BENCH_PEOPLE WHERE ID <= 1000 ORDER BY ID" |
  awk 'BEGIN { print ".pl 297m\n.special CYR" } (NR - 1) % 50 == 0 { if (NR > 1) print ".TE\n.bp"; print ".TS\nbox;\nl." }
       { print } END { print ".TE" }' > "$work/rows.tbl"
touch "$work/mark"; sleep 1
start=$(date +%s%N)
# Without a macro package a table does not break across pages: one boxed
# table of 50 rows a page.
groff -F "$work/font" -K utf8 -t -Tps "$work/rows.tbl" | lp -d PDF -t reports_groff >/dev/null
groff=$(pdf_whole reports_groff "$start")
row "the same rows, groff -t -Tps | lp" "$groff s" "(target: Korvex within 2x of groff: $(calc "$korvex / $groff")x)"
