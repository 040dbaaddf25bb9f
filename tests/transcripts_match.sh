#!/usr/bin/env bash
# The bytes that the native build sends for the read and the apply rows
# equal those the Windows build sends under Wine: each run kept its
# transcript (scenario_test.en_US and native_checks), and the sent lines'
# payloads are compared whole.
#   tests/transcripts_match.sh BUILD_DIR
set -uo pipefail
build=${1:?build folder}
. "$(dirname "$0")/support/checks.sh"
windows=$build/transcripts-windows native=$build/transcripts-native

# The sent bytes, as the transcript escapes them: "<stamp> > <bytes>", one
# burst a line, CR LF line ends.
sent() { awk 'substr($0, 25, 1) == ">" { sub(/\r$/, ""); printf "%s", substr($0, 27) }' "$1"; }

for row in command_read command_read_finds_the_pad command_apply command_apply_restarts_when_allowed; do
  for side in "$windows" "$native"; do
    check "$row: $(basename "$side") kept its transcript" test -s "$side/$row.log"
  done
  check "$row: a read's queries are in the Windows transcript" holds "$windows/$row.log" '> b_num?'
  check "$row: the same bytes sent" test "$(sent "$windows/$row.log")" = "$(sent "$native/$row.log")"
done
finish
