# Sourced: times the stages of a long script and prints them as a table
# when the script ends, however it ends. A stage run in the background
# (stage ... &) records itself when it finishes; one that never finished is
# listed as such.
#
#   stages_begin FILE          the table's rows go to FILE, emptied now
#   stage NAME COMMAND...      runs COMMAND; its status is the stage's

stages_begin() {
  stages_file=$1
  stages_started=$SECONDS
  : >"$stages_file"
  trap stages_print EXIT
}

stage() {
  local name=$1 started=$SECONDS status=0
  shift
  printf '%s\tstarted\t%s\n' "$name" "$((started - stages_started))" >>"$stages_file"
  "$@" || status=$?
  printf '%s\t%s\t%s\n' "$name" "$((SECONDS - started))" "$status" >>"$stages_file"
  [ "$status" -eq 0 ] || echo "== stage \"$name\" failed with exit status $status" >&2
  return "$status"
}

stages_clock() { printf '%d:%02d' "$(($1 / 60))" "$(($1 % 60))"; }

# The script's own exit status stands: this prints and returns nothing.
stages_print() {
  local name seconds result
  {
    echo
    echo "== stage times (from the start: when each began; then how long it took)"
    while IFS=$'\t' read -r name seconds result; do
      [ "$seconds" = started ] || continue
      local began=$result took="did not finish" outcome=""
      local line
      line=$(awk -F'\t' -v n="$name" '$1 == n && $2 != "started" { print $2 "\t" $3 }' "$stages_file")
      if [ -n "$line" ]; then
        took=$(stages_clock "${line%%$'\t'*}")
        [ "${line##*$'\t'}" = 0 ] && outcome="passed" || outcome="failed (exit ${line##*$'\t'})"
      fi
      printf '  %-52s %8s %15s  %s\n' "$name" "$(stages_clock "$began")" "$took" "$outcome"
    done <"$stages_file"
    printf '  %-52s %8s %15s\n' "whole run" "" "$(stages_clock "$((SECONDS - stages_started))")"
  } >&2
}
