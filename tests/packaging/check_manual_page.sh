#!/usr/bin/env bash
# Checks a manual page made from a program's --help: each word of the help
# that holds a character beyond ASCII stands in the page as the help writes
# it, not turned into "?", and the help's examples make the page's EXAMPLES
# section.
# Usage: check_manual_page.sh PAGE.1.gz PROGRAM
set -euo pipefail
readonly page="$1" program="$2"
# Bytes, whatever the locale of the test run.
export LC_ALL=C
help="$("$program" --help)"
text="$(gzip -dc "$page")"
status=0
fail() {
  echo "check_manual_page: $*" >&2
  status=1
}

mapfile -t words < <(grep -o '[[:alnum:]]*[^[:print:][:space:]][^[:space:]"]*' <<<"$help" | sort -u)
[[ ${#words[@]} -gt 0 ]] || fail "$program --help holds no character beyond ASCII to look for"
for word in "${words[@]}"; do
  grep -qF -- "$word" <<<"$text" || fail "$page does not hold \"$word\" of the help"
done
grep -q '^\.SH EXAMPLES$' <<<"$text" || fail "$page has no EXAMPLES section"
exit "$status"
