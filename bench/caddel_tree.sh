#!/usr/bin/env bash
# Record tree benchmark (bench/run.sh tree): TB(ID, OWNER, NAME) with
# 20,000 rows, 200 roots (ID r*100, OWNER 0) each followed by its 99
# children (ID r*100+k, OWNER r*100), made by the sqlite3 program in the
# test data source KTEST; then bench/caddel_tree.cpp in one run, on the
# first 10,000 rows and on all.
set -euo pipefail
source "$(dirname "$0")/bench_env.sh" caddel_tree.exe
sqlite3 "$root/build/odbc/ktest.db" "DROP TABLE IF EXISTS TB;
  CREATE TABLE TB (ID INTEGER PRIMARY KEY, OWNER INTEGER, NAME VARCHAR(20));
  WITH RECURSIVE r(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM r WHERE i < 200),
                 k(j) AS (SELECT 0 UNION ALL SELECT j + 1 FROM k WHERE j < 99)
  INSERT INTO TB SELECT i * 100 + j, CASE WHEN j = 0 THEN 0 ELSE i * 100 END,
    CASE WHEN j = 0 THEN 'root ' || i ELSE 'node ' || i || '.' || j END FROM r, k;"
cd "$root/build/bin"
wine caddel_tree.exe | tr -d '\r'
