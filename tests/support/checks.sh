# Sourced by the shell tests: named checks, waits that give up with a message
# naming what they waited for, and processes watched by their own id.
set -uo pipefail
failures=0; passes=0

check() {  # name, then a command that must succeed
  local name=$1; shift
  if "$@"; then passes=$((passes + 1)); echo "ok: $name"; else failures=$((failures + 1)); echo "FAILED: $name"; fi
}

# Runs the command until it succeeds, for at most LIMIT seconds.
wait_for() {  # what, limit, command...
  local what=$1 deadline=$((SECONDS + $2)); shift 2
  until "$@"; do
    if [ "$SECONDS" -ge "$deadline" ]; then echo "gave up waiting for $what" >&2; return 1; fi
    sleep 0.05
  done
}

gone() { ! kill -0 "$1" 2>/dev/null; }

# Waits at most LIMIT seconds for a child to end, and ends it when it has not;
# its exit status lands in $ended ("none" when it had to be ended).
end_of() {  # pid, limit, what
  ended=none
  if wait_for "$3 to end" "$2" gone "$1"; then wait "$1"; ended=$?; return 0; fi
  kill "$1" 2>/dev/null; wait "$1" 2>/dev/null
  return 1
}

# The file holds a line matching the pattern; a negative check is only
# believed when its positive twin (the same file, another pattern) passes.
holds() { grep -q -- "$2" "$1" 2>/dev/null; }
# It holds none, and it could be read.
lacks() { local n; n=$(grep -c -- "$2" "$1"); [ "$n" = 0 ]; }
# A text (a variable, never a pipe: grep -q ends a pipe's writer early) holds
# a line matching the pattern; grep's options may come first.
says() { grep -q "${@:1:$#-1}" <<<"${!#}"; }

# Starts the stand-in pad (the command that follows), its output in LOG, and
# waits for its first line; its id lands in $sim. One that does not start
# ends the script.
start_pad() {  # log, command...
  local log=$1; shift
  "$@" > "$log" 2>&1 & sim=$!
  wait_for "the stand-in's start-up line in $log" 10 holds "$log" "^padsim: a pad" || exit 1
}

finish() {
  echo "$passes passed, $failures failed"
  [ "$failures" = 0 ] && [ "$passes" -gt 0 ]
}
