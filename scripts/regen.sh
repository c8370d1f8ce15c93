#!/usr/bin/env bash
# Regenerates every derived file, the one command after a change to a
# declaration or to what the programs print:
#   the tables' files         tools/tablegen/gen_tables.py (database/schema.sql,
#                             database/version_indexes.sql, database/tables.inc,
#                             database/older_layout.inc, core/release.inc and
#                             each section's core/records_SECTION_stored.h;
#                             "gen_tables.py --list" names them)
#   the expression parser's   evaluator/parse_tables.inc
#   the language reference    docs/ndl-reference.md, printed by ndlref
#   the writers' statements   tests/data/database/writer_statements.txt
#   cfgload's load file       tests/data/cli/small.sql, from small.ndl
#
#   scripts/regen.sh [BUILD]          rewrites those that changed
#   scripts/regen.sh --check [BUILD]  rewrites nothing; fails, naming each stale file
#
# The last three are the output of programs of the build folder BUILD
# (build-plain by default; made as test.sh makes it when it is missing),
# built first from the tree as it stands.
set -euo pipefail
cd "$(dirname "$0")/.."
check=0
if [[ ${1:-} == --check ]]; then
  check=1
  shift
fi
build=${1:-build-plain}
out=$(mktemp -d /tmp/ndl-regen-XXXXXX)
trap 'rm -rf "$out"' EXIT

python3 tools/tablegen/gen_tables.py "$out"
mkdir -p "$out/evaluator"
python3 evaluator/gen_parse_tables.py "$out/evaluator/parse_tables.inc"
mapfile -t generated < <(python3 tools/tablegen/gen_tables.py --list)
generated+=(evaluator/parse_tables.inc)
# The build compiles the generated files: in place before it, unless checking.
if ((!check)); then
  for f in "${generated[@]}"; do
    cmp -s "$out/$f" "$f" || cp "$out/$f" "$f"
  done
fi

if [[ ! -f $build/build.ninja ]]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DNDL_SANITIZE=OFF -DNDL_BENCH=OFF >/dev/null
fi
cmake --build "$build" --target ndlref cfgload database_test >"$out/build.log" ||
  { cat "$out/build.log" >&2; exit 1; }
bin=$(cd "$build/bin" && pwd)
ndlref=$(cd "$build/tools/ndlref" && pwd)/ndlref

mkdir -p "$out/docs" "$out/tests/data/database" "$out/tests/data/cli" "$out/run"
"$ndlref" >"$out/docs/ndl-reference.md"
# The test writes what the writers give before it compares: it fails when
# they changed, which is why it is run.
NDL_WRITER_GOLDEN="$out/tests/data/database/writer_statements.txt" LD_LIBRARY_PATH="$bin/faults" \
  "$bin/database_test" --gtest_filter=Db.EveryWriterFormatsItsStatementsAsBefore >/dev/null 2>&1 || true
(cd "$out/run" && "$bin/cfgload" "$OLDPWD/tests/data/cli/small.ndl" scott/tiger/repo.db \
  createfile "$out/tests/data/cli/small" >/dev/null)
derived=("${generated[@]}" docs/ndl-reference.md tests/data/database/writer_statements.txt tests/data/cli/small.sql)
for f in "${derived[@]}"; do
  if [[ ! -s $out/$f ]]; then
    echo "scripts/regen.sh: $f was not made" >&2
    exit 1
  fi
done

stale=0
for f in "${derived[@]}"; do
  cmp -s "$out/$f" "$f" && continue
  if ((check)); then
    echo "$f is stale: run scripts/regen.sh" >&2
    stale=1
  else
    cp "$out/$f" "$f"
    echo "regenerated $f"
  fi
done
exit "$stale"
