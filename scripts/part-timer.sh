# Sourced by the test scripts: `part NAME` starts a part and says how long the one before it
# took, `part end` closes the last one; for the record of the test command's time.
part_name=""
part_started=$SECONDS
part() {
  [ -z "$part_name" ] || echo "-- $part_name: $((SECONDS - part_started)) s"
  part_name="$1"
  part_started=$SECONDS
  [ "$1" = "end" ] || echo "== $1"
}
