#!/bin/sh
# veltrix-cli query against the sqlite3 shell, as whole processes, on a draw
# database whose 3d table holds 100,000 rows. For each pair of commands it
# runs hyperfine in several rounds (the two commands side by side in every
# round, so a change in the machine's load hits both alike) and prints the
# medians of each round and the median of the rounds' ratios
# veltrix-cli / sqlite3. The target is at most 1.25.
#
#   bench/query_vs_sqlite3.sh [BUILD_DIR] [ROWS]
#
# BUILD_DIR defaults to ./build (a Release build with veltrix-cli), ROWS to
# 100000; ROUNDS (default 5) and RUNS per round (default 15) come from the
# environment. Needs hyperfine and sqlite3.
set -eu

build=${1:-build}
rows=${2:-100000}
rounds=${ROUNDS:-5}
runs=${RUNS:-15}
cli=$(cd "$build/src/cli" && pwd)/veltrix-cli
[ -x "$cli" ] || { echo "no veltrix-cli in $build/src/cli" >&2; exit 2; }
command -v hyperfine >/dev/null || { echo "hyperfine is not installed" >&2; exit 2; }
command -v sqlite3 >/dev/null || { echo "sqlite3 is not installed" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

"$cli" initdb DLT.mdb
# Draws on consecutive days from 2004-10-18: three digits and S1..S3.
sqlite3 DLT.mdb <<SQL
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < $rows)
INSERT INTO "3d" (QS, RQ, H1, H2, H3, S1, S2, S3)
SELECT printf('%07d', 2004000 + i), date('2004-10-17', '+' || i || ' days'),
       abs(random()) % 10, abs(random()) % 10, abs(random()) % 10,
       abs(random()) % 10, abs(random()) % 10, abs(random()) % 10
FROM n;
SQL
echo "3d rows: $(sqlite3 DLT.mdb 'select count(*) from "3d"')"

compare() { # name, veltrix-cli SQL, sqlite3 SQL
    echo
    echo "== $1: veltrix-cli query \"$2\""
    echo "   vs sqlite3 -separator ' ' DLT.mdb '$3'"
    : >"$1.ratios"
    round=1
    while [ "$round" -le "$rounds" ]; do
        hyperfine -N --warmup 3 --runs "$runs" --style none --export-csv "$1.csv" \
            -n veltrix-cli "$cli query \"$2\"" \
            -n sqlite3 "sqlite3 -separator ' ' DLT.mdb '$3'" >/dev/null 2>&1
        # CSV columns: command,mean,stddev,median,user,system,min,max
        awk -F, -v round="$round" '
            NR == 2 { a = $4; au = $5 + $6 } NR == 3 { b = $4; bu = $5 + $6 }
            END {
                printf "   round %d: median %.1f ms / %.1f ms = %.3f   (user+sys %.1f / %.1f ms)\n",
                       round, a * 1000, b * 1000, a / b, au * 1000, bu * 1000
            }' "$1.csv"
        awk -F, 'NR == 2 { a = $4 } NR == 3 { b = $4 } END { printf "%.4f\n", a / b }' \
            "$1.csv" >>"$1.ratios"
        round=$((round + 1))
    done
    sort -n "$1.ratios" | awk '{ r[NR] = $1 } END {
        m = (NR % 2) ? r[(NR + 1) / 2] : (r[NR / 2] + r[NR / 2 + 1]) / 2
        printf "   ratio veltrix-cli / sqlite3 (median of %d rounds): %.3f\n", NR, m }'
}

compare all_rows "select * from 3d" 'select * from "3d"'
compare top_on_unique_key "select top 1000 * from 3d order by qs desc" \
    'select * from "3d" order by qs desc limit 1000'
compare top_whole_table "select top 100000 * from 3d order by qs" \
    'select * from "3d" order by qs limit 100000'
