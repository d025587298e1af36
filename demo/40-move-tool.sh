# The move tool NubrelMoveTool.exe in a real window, moving a generated sync folder from drive
# M: to drive N:. Run 1 keeps one file busy: the error box, then a complete rollback. Run 2
# waits for a client that is still running, moves every file, records the new folder in the
# profile's pref.db and restarts the client through the launcher stand-in.
source "$NUBREL_ROOT/scripts/env.sh"
set -u
bin=$NUBREL_TEST_TREE/bin
peers=$bin/move_tool_peers
out=$NUBREL_DEMO_OUT/move-tool
src=$NUBREL_BUILD/drives/m/demo-sync
dst=$NUBREL_BUILD/drives/n/demo-moved
rm -rf "$out" "$src" "$dst"; mkdir -p "$out"
wine_run() { "$NUBREL_ROOT/scripts/wine-run.sh" "$@" 2>/dev/null; }
driver() { wine_run "$bin/move_tool_window_driver.exe" "$@"; }
shot() { import -window root "$out/$1.png" 2>/dev/null && echo "   screenshot: $out/$1.png"; }
# Relative path and SHA-256 of every file (the cache folder of set-aside files left out).
manifest() { (cd "$1" && find . -path ./.nubrel.cache -prune -o -type f -print0 | sort -z | xargs -0 -r sha256sum); }
show_record() {
  echo "   nubrel_path in pref.db: $(sqlite3 "$db" "SELECT value FROM config WHERE key='nubrel_path'")"
  echo "   launcher started with: $(sed 's/.*/"&"/' "$out/launches.txt" 2>/dev/null | paste -sd' ')"
  rm -f "$out/launches.txt"
}

# The client data directory of the prefix's user, as the tool finds it: the launcher stand-in
# and a profile database that still holds the old folder.
appdata=$(wine_run cmd /c 'echo %APPDATA%' | tr -d '\r')
client_dir=$("$NUBREL_WINE" winepath -u "$appdata\\Nubrel Network\\Nubrel" 2>/dev/null)
mkdir -p "$client_dir/Application/Bin" "$client_dir/User Data/demo"
cp "$peers/launcher/Nubrel.exe" "$client_dir/Application/Bin/Nubrel.exe"
db="$client_dir/User Data/demo/pref.db"
rm -f "$db"
sqlite3 "$db" "CREATE TABLE config (  key TEXT PRIMARY KEY NOT NULL,  value BLOB);
  INSERT INTO config VALUES ('nubrel_path', 'M:\\demo-sync'); PRAGMA user_version = 1;"
export NUBREL_LAUNCH_RECORD
NUBREL_LAUNCH_RECORD=$("$NUBREL_WINE" winepath -w "$out/launches.txt" 2>/dev/null)

# The sample sync folder: nested and empty folders, a hidden file, Chinese names, 100 MB.
mkdir -p "$src/文档/2023/深层" "$src/照片" "$src/空文件夹" "$src/音乐/live"
echo "澄舟 sample sync folder" > "$src/说明.txt"
echo "settings" > "$src/.settings"
wine_run cmd /c attrib +h 'M:\demo-sync\.settings'
folders=("$src/文档" "$src/文档/2023" "$src/文档/2023/深层" "$src/照片" "$src/音乐/live")
for i in $(seq 1 40); do
  head -c $((i * 125 * 1024)) /dev/urandom > "${folders[$((i % 5))]}/file-$i.bin"
done
manifest "$src" > "$out/source-before.txt"
mkdir -p "$dst"; echo "already in the target" > "$dst/说明.txt"
manifest "$dst" > "$out/target-before.txt"
echo "== sample sync folder M:\\demo-sync: $(wc -l < "$out/source-before.txt") files, $(du -sh "$src" | cut -f1);"
echo "   target N:\\demo-moved already holds 说明.txt (it is set aside, not overwritten)"

echo
echo "== run 1: 照片\\file-3.bin is kept open by another program"
# Started straight (not through the function), so that $! is the program itself.
"$NUBREL_ROOT/scripts/wine-run.sh" "$peers/file_holder.exe" 'M:\demo-sync\照片\file-3.bin' no-event 2>/dev/null &
holder=$!
sleep 1
wine_run "$bin/NubrelMoveTool.exe" 'M:\demo-sync?N:\demo-moved?demo' &
tool=$!
driver show-box
shot move-tool-error
driver press-ok
wait $tool; echo "   exit code: $?"
kill $holder 2>/dev/null; wait $holder 2>/dev/null
cmp -s "$out/source-before.txt" <(manifest "$src") && echo "   source unchanged: every file in place"
cmp -s "$out/target-before.txt" <(manifest "$dst") && [ ! -e "$dst/.nubrel.cache" ] &&
  echo "   target unchanged: nothing left behind, 说明.txt back in place"
show_record

echo
echo "== run 2: the client (nubrel.exe stand-in) still runs for 4 s, then the move"
wine_run "$peers/client/nubrel.exe" --hold-mutex --exit-after-ms=4000 &
client=$!
sleep 1
wine_run "$bin/NubrelMoveTool.exe" 'M:\demo-sync?N:\demo-moved?demo' &
tool=$!
# The watcher photographs the screen at each new phase text.
driver watch "$("$NUBREL_WINE" winepath -w "$out" 2>/dev/null)" > "$out/phases.txt" &
watcher=$!
wait $tool; echo "   exit code: $?"
wait $watcher $client 2>/dev/null
for bmp in "$out"/phase-*.bmp; do convert "$bmp" "${bmp%.bmp}.png" && rm "$bmp"; done
echo "   phases shown in the window:"; cat "$out/phases.txt"
echo "   the screen at each phase: $(cd "$out" && ls phase-*.png | paste -sd' ')"
[ ! -e "$src" ] && echo "   M:\\demo-sync is gone"
cmp -s "$out/source-before.txt" <(manifest "$dst") &&
  echo "   N:\\demo-moved holds every file of the source, byte for byte"
echo "   the target's own 说明.txt is kept in N:\\demo-moved\\.nubrel.cache\\.merge: $(cat "$dst/.nubrel.cache/.merge/说明.txt")"
show_record
rm -rf "$dst"  # 100 MB on drive N:
