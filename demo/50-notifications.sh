# One notification pass of the real notifications.dll inside the host stand-in: a user-group
# server and a notification server on 127.0.0.1 answer; the host compresses the plug-in's
# timers so the pass takes a second or two (the plug-in keeps its own delays).
source "$NUBREL_ROOT/scripts/env.sh"
set -euo pipefail
out=$NUBREL_DEMO_OUT/notifications
rm -rf "$out"; mkdir -p "$out/config"
# The client has already marked message 202 as read.
printf '[msgid]\r\nid_no[0]=202\r\n' > "$out/config/pmsg.dat"

python3 "$NUBREL_ROOT/standins/host/demo_http_servers.py" --ports-file "$out/ports" \
  --log "$out/requests.log" &
servers=$!
trap 'kill $servers 2>/dev/null || true' EXIT
for _ in $(seq 1 100); do [ -s "$out/ports" ] && break; sleep 0.1; done
read -r user_group_port push_port < "$out/ports"
echo "servers: user group on 127.0.0.1:$user_group_port, notifications on 127.0.0.1:$push_port"

# Wine's drive Z: is the Linux root.
windows_path() { local p=$1; echo "Z:${p//\//\\}"; }
config=$(windows_path "$out/config")
status=0
"$NUBREL_ROOT/scripts/wine-run.sh" "$NUBREL_TEST_TREE/bin/demo_host.exe" \
  --plugin="$(windows_path "$NUBREL_TEST_TREE/bin/notifications.dll")" \
  --config="$config" --uid=10001 --sid=s-7f3a \
  --user-group=127.0.0.1:$user_group_port --push=127.0.0.1:$push_port \
  --time-scale=100 --wait-ms=30000 || status=$?

echo
echo "--- what the servers saw"
cat "$out/requests.log"
echo
echo "--- $config\\json.dat"
cat "$out/config/json.dat"; echo
echo
echo "--- $config\\pmsg.dat"
cat "$out/config/pmsg.dat"
[ "$status" = 0 ] || { echo "the client received no event (demo_host exit $status)"; exit 1; }
