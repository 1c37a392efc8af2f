# Sourced by bench.sh and fuzz.sh: the programs a build tree's target list names.
#   select_targets LIST [NAME...]   prints "NAME PATH" for every target of LIST, or for the named
#                                   ones; fails on a missing or empty list and on an unknown name.
select_targets() {
  local list=$1
  shift
  if [ ! -s "$list" ]; then
    echo "$list is missing or empty: configure the build tree first" >&2
    return 1
  fi
  if [ $# -eq 0 ]; then
    cat "$list"
    return 0
  fi
  local name line
  for name in "$@"; do
    line=$(grep -E "^$name " "$list") || {
      echo "unknown target $name; known: $(cut -d' ' -f1 "$list" | tr '\n' ' ')" >&2
      return 1
    }
    echo "$line"
  done
}
