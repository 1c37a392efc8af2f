#!/bin/sh
# ondrix-cli qdb end to end: put, get, keys, index, rm, pack, and the exit statuses.
set -u
cli="$1"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
export TMPDIR="$dir"
file="$dir/T.QDB"
fail() { echo "FAIL: $*"; exit 1; }

printf 'one' | "$cli" qdb put "$file" b || fail "put b"
printf 'two' > "$dir/src"
"$cli" qdb put "$file" A "$dir/src" || fail "put A"
[ "$("$cli" qdb keys "$file")" = "$(printf 'A\nb')" ] || fail "keys ascending"
[ "$("$cli" qdb get "$file" B)" = "one" ] || fail "get ignores case"
[ "$("$cli" qdb index "$file")" = "$(printf '0 0 3 b\n0 3 3 A')" ] || fail "index in disk order"

printf 'ONE!' | "$cli" qdb put "$file" b || fail "replace b"
[ "$("$cli" qdb index "$file")" = "$(printf '0 3 4 b\n0 0 3 A')" ] || fail "replace packs"

head -c 5000 /dev/zero | "$cli" qdb put --compress "$file" z || fail "put --compress"
"$cli" qdb index "$file" | grep -q '^2 7 [0-9]* z$' || fail "compressed flag"
[ "$("$cli" qdb get "$file" z | wc -c)" -eq 5000 ] || fail "compressed read back"

"$cli" qdb rm "$file" nothere 2>"$dir/err" && fail "rm missing key must fail"
[ "$(cat "$dir/err")" = "The key 'nothere' does not exist" ] || fail "rm message"
"$cli" qdb rm "$file" A || fail "rm A"
[ "$("$cli" qdb keys "$file")" = "$(printf 'b\nz')" ] || fail "keys after rm"

printf 'junk' > "$dir/BAD.QDB"
"$cli" qdb keys "$dir/BAD.QDB" 2>"$dir/err" && fail "bad file must fail"
[ "$(cat "$dir/err")" = "The file $dir/BAD.QDB is not a valid QDB file" ] || fail "bad file message"
[ "$(cat "$dir/BAD.QDB")" = "junk" ] || fail "bad file untouched"
[ -z "$(ls "$dir" | grep '^Q')" ] || fail "working files left"
echo ok
