#!/bin/sh
# veltrix-cli query against the sqlite3 shell, as whole processes, on a draw
# database whose 3d table holds 100,000 rows. Prints hyperfine's comparison
# and the ratio of the medians (veltrix-cli / sqlite3) for each pair; the
# target is at most 1.25.
#
#   bench/query_vs_sqlite3.sh [BUILD_DIR] [ROWS]
#
# BUILD_DIR defaults to ./build (a Release build with veltrix-cli), ROWS to
# 100000. Needs hyperfine and sqlite3.
set -eu

build=${1:-build}
rows=${2:-100000}
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

ratio() { # csv file -> median ratio of the first command to the second
    awk -F, 'NR == 2 { a = $4 } NR == 3 { b = $4 } END { printf "%.3f (%.1f ms / %.1f ms)\n", a / b, a * 1000, b * 1000 }' "$1"
}

compare() { # name, veltrix-cli SQL, sqlite3 SQL
    echo
    echo "== $1"
    hyperfine --warmup 3 --runs 30 --style basic --export-csv "$1.csv" \
        -n "veltrix-cli" "$cli query \"$2\"" \
        -n "sqlite3" "sqlite3 -separator ' ' DLT.mdb \"$3\""
    printf 'ratio veltrix-cli / sqlite3 (medians): '
    ratio "$1.csv"
}

compare all_rows "select * from 3d" "select * from \\\"3d\\\""
compare top_unique_key "select top 1000 * from 3d order by qs desc" \
    "select * from \\\"3d\\\" order by qs desc limit 1000"
compare top_whole_table "select top 100000 * from 3d order by qs" \
    "select * from \\\"3d\\\" order by qs limit 100000"
