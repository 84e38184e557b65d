#!/usr/bin/env bash
# Import speed, whole processes side by side (hyperfine): `veltrix-cli import`
# of a 100,000-line dlt draw file into an empty table, against the sqlite3
# shell running the same INSERT statements on a copy of the same empty
# database with the same settings (WAL, synchronous NORMAL), all of them in one
# transaction (the yardstick: the import may take at most 1.3 times as long),
# and for reference each statement committing on its own.
#
#   bench/update_import.sh [LINES]       (default 100000)
# Environment: CLI (default build/src/cli/veltrix-cli), RUNS (default 5).
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
LINES=${1:-100000}
CLI=${CLI:-$ROOT/build/src/cli/veltrix-cli}
RUNS=${RUNS:-5}
[ -x "$CLI" ] || { echo "no $CLI: build veltrix-cli first" >&2; exit 1; }

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
cd "$WORK"

# A well-formed dlt file: 7-digit issues, real dates, two-digit numbers, CR LF.
awk -v n="$LINES" 'BEGIN {
    for (i = 1; i <= n; i++)
        printf "%07d 2001-%02d-%02d %02d %02d %02d %02d %02d %02d %02d\r\n", i, i % 12 + 1,
               i % 28 + 1, i % 35 + 1, (i + 7) % 35 + 1, (i + 14) % 35 + 1, (i + 21) % 35 + 1,
               (i + 28) % 35 + 1, i % 12 + 1, (i + 5) % 12 + 1
}' > dlt.txt

# The statements the import issues for those lines, byte for byte (the line's
# CR LF stays after the last number).
awk '{ printf "INSERT INTO dlt (QS,RQ,H1,H2,H3,H4,H5,L1,L2,T)VALUES (\047%s\047,\047%s\047,%s,%s,%s,%s,%s,%s,%s\n,\047\047);\n", $1, $2, $3, $4, $5, $6, $7, $8, $9 }' dlt.txt > inserts.sql
{ echo "PRAGMA synchronous=NORMAL;"; cat inserts.sql; } > each.sql
{ echo "PRAGMA synchronous=NORMAL;"; echo "BEGIN;"; cat inserts.sql; echo "COMMIT;"; } > one.sql

"$CLI" initdb empty.mdb
mkdir -p run
PREPARE="rm -f run/DLT.mdb run/DLT.mdb-wal run/DLT.mdb-shm && cp empty.mdb run/DLT.mdb"

hyperfine --runs "$RUNS" --export-json result.json \
    --prepare "$PREPARE" \
    -n "veltrix-cli import" "cd run && '$CLI' import dlt ../dlt.txt > /dev/null" \
    -n "sqlite3, each INSERT committing" "sqlite3 run/DLT.mdb < each.sql > /dev/null" \
    -n "sqlite3, one transaction" "sqlite3 run/DLT.mdb < one.sql > /dev/null"

python3 - "$LINES" result.json <<'PY'
import json, sys
lines = int(sys.argv[1])
results = {r["command"]: r for r in json.load(open(sys.argv[2]))["results"]}
ours = results["veltrix-cli import"]["mean"]
each = results["sqlite3, each INSERT committing"]["mean"]
one = results["sqlite3, one transaction"]["mean"]
print(f"import: {ours:.2f} s, {lines / ours:,.0f} rows/s")
print(f"sqlite3 shell, one transaction: {one:.2f} s; ratio import/shell = {ours / one:.2f} (target <= 1.3)")
print(f"sqlite3 shell, each committing: {each:.2f} s")
PY
