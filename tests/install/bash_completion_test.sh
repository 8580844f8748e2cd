#!/usr/bin/env bash
# The bash completion of kinloom, sourced into bash as bash-completion loads it and asked
# for the completions of command lines as a user types them.
#   bash_completion_test.sh COMPLETION_FILE KINLOOM SOURCE_DIR
set -uo pipefail
completion=$(realpath "$1")
kinloom=$(realpath "$2")
source_dir=$(realpath "$3")
framework=/usr/share/bash-completion/bash_completion
if [ ! -r "$framework" ]; then
  echo "FAIL: $framework is missing (tools/setup installs bash-completion)" >&2
  exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The user's settings are never touched by completing.
mkdir -p "$work/home"
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config
PATH=$(dirname "$kinloom"):$PATH

# shellcheck source=/dev/null
source "$framework"
# shellcheck source=/dev/null
source "$completion"
failures=0

# Completions of the words given, the last being the one under the cursor, one a line.
complete_words() {
  COMP_WORDS=("$@")
  COMP_CWORD=$(($# - 1))
  COMP_LINE="$*"
  COMP_POINT=${#COMP_LINE}
  COMPREPLY=()
  _kinloom kinloom "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}" 2>/dev/null
  printf '%s\n' "${COMPREPLY[@]}" | sort
}

expect() {
  local what=$1 wanted=$2 got=$3
  if [ "$wanted" != "$got" ]; then
    echo "FAIL: $what" >&2
    diff <(echo "$wanted") <(echo "$got") >&2
    failures=$((failures + 1))
  fi
}

# The names that --settings prints, from a scratch settings folder.
names=$(XDG_CONFIG_HOME=$work/scratch "$kinloom" --settings | sed -n 's/^"\([^"]*\)" (.*/\1/p')
groups=$(grep '^Groups' <<<"$names" | sed 's/^/"/; s/$/=/' | sort)
[ "$(wc -l <<<"$groups")" -ge 2 ] || expect "--settings lists names beginning with Groups" ">= 2" "$groups"
grep -qx '"Groups Notes=' <<<"$groups" || expect '"Groups Notes= among the names' present absent

expect 'kinloom --set "Groups' "$groups" "$(complete_words kinloom --set '"Groups')"
expect "kinloom --set 'Groups" "${groups//\"/\'}" "$(complete_words kinloom --set "'Groups")"
# Typed without a quote and in another case, the names still come quoted.
expect "kinloom --set groups" "$groups" "$(complete_words kinloom --set groups)"
expect 'kinloom --set "Groups N' '"Groups Notes=' "$(complete_words kinloom --set '"Groups N')"
expect 'a value is not completed' "" "$(complete_words kinloom --set '"Groups Notes=3')"
expect 'after two assignments' '"Groups Notes=' \
  "$(complete_words kinloom --set 'User Name=Ann' '"Groups Notes=1' '"Groups No')"
expect "kinloom --se" $'--set\n--settings' "$(complete_words kinloom --se)"
expect "kinloom -" $'--\n--help\n--jobs\n--set\n--settings\n--skip-broken-links\n--style\n--version' \
  "$(complete_words kinloom -)"
expect "kinloom --jobs " "" "$(complete_words kinloom --jobs '')"
expect "kinloom --sk" --skip-broken-links "$(complete_words kinloom --sk)"
expect "kinloom --st" --style "$(complete_words kinloom --st)"
expect "kinloom --style " $'classic\nmodern' "$(complete_words kinloom --style '')"
expect "kinloom --style m" modern "$(complete_words kinloom --style m)"

# Paths: file and folder names, also after the assignments and after "--".
cd "$source_dir" || exit 1
expect "kinloom --style modern examples/sam" examples/sample.ged \
  "$(complete_words kinloom --style modern examples/sam)"
expect "kinloom examples/sam" examples/sample.ged "$(complete_words kinloom examples/sam)"
expect 'kinloom --set "Groups Notes=30" examples/sam' examples/sample.ged \
  "$(complete_words kinloom --set '"Groups Notes=30"' examples/sam)"
expect "kinloom -- examples/sam" examples/sample.ged "$(complete_words kinloom -- examples/sam)"

[ -z "$(ls -A "$HOME")" ] || expect "the home folder stays empty" "" "$(ls -A "$HOME")"
[ $failures -eq 0 ] || exit 1
echo "bash completion: all checks passed"
