# The launcher nubrel.exe starting the client stand-in (and the crash reporter stand-in) from
# its own folder, then the same launcher without a client library.
source "$NUBREL_ROOT/scripts/env.sh"
set -u
bin=$NUBREL_TEST_TREE/bin
folder=$NUBREL_DEMO_OUT/launcher
rm -rf "$folder"; mkdir -p "$folder"
cp "$bin/nubrel.exe" "$bin/nubrel.dll" "$bin/CrashReporter.dll" "$folder/"

echo "== nubrel.exe --Some-Switch=1 plain   (started from $NUBREL_DEMO_OUT, client returns 7)"
(cd "$NUBREL_DEMO_OUT" && NUBREL_STANDIN_EXIT_CODE=7 NUBREL_STANDIN_LOG_LINES=2 \
  "$NUBREL_ROOT/scripts/wine-run.sh" "$folder/nubrel.exe" --Some-Switch=1 plain 2>/dev/null)
echo "exit code: $?"
echo "-- what the client and the crash reporter saw (standin-record.txt):"
sed 's/^/   /' "$folder/standin-record.txt"
echo "-- debug.log beside the launcher (the client logged two lines through the product's logging):"
sed 's/^/   /' "$folder/debug.log"

echo
echo "== the same folder without nubrel.dll"
rm "$folder/nubrel.dll" "$folder/standin-record.txt" "$folder/debug.log"
"$NUBREL_ROOT/scripts/wine-run.sh" "$folder/nubrel.exe" 2>/dev/null
echo "exit code: $? (6: the client library could not be loaded)"
echo "-- debug.log:"
sed 's/^/   /' "$folder/debug.log"
