# Sourced first by every script: stop at the first command that fails, in
# functions, pipelines and command substitutions too, and say which one it
# was, so that no log ends in silence. A failure inside $(...) is named
# twice, once for the command and once for the line that used its output.
#
# Under pipefail a pipeline fails when a writer dies of SIGPIPE because its
# reader stopped early (head, grep -q, grep -m): read whole streams instead
# (sed -n 1p, grep >/dev/null), or take the first name from a glob.
set -Eeuo pipefail
shopt -s inherit_errexit

# A pipeline's command is its last one; the statuses of all its commands
# tell which one failed (141 is death by SIGPIPE).
strict_failed() {
  local status=$1 statuses=$2 file=$3 line=$4 command=$5 each=""
  [ "$statuses" = "$status" ] || each=" (the pipeline's commands: $statuses)"
  echo "${file##*/}: line $line: '$command' failed with exit status $status$each" >&2
}
trap 'strict_failed $? "${PIPESTATUS[*]}" "${BASH_SOURCE[0]:-$0}" "$LINENO" "$BASH_COMMAND"' ERR
