# Sourced by scripts/test: starts the local update server for the net tests and exports
# CAV_HTTP_PORT, CAV_HTTP_ROOT (the folder it serves) and CAV_HTTP_LOG (its request log).
_cav_http_dir=$(mktemp -d /tmp/cav-http-XXXXXX)
CAV_HTTP_ROOT=$_cav_http_dir/root
CAV_HTTP_LOG=$_cav_http_dir/requests.log
mkdir -p "$CAV_HTTP_ROOT"
python3 "$(dirname "${BASH_SOURCE[0]}")/http_server.py" --root "$CAV_HTTP_ROOT" \
  --log "$CAV_HTTP_LOG" --port-file "$_cav_http_dir/port" &
_cav_http_pid=$!
for _ in $(seq 1 100); do
  [ -s "$_cav_http_dir/port" ] && break
  sleep 0.05
done
if [ ! -s "$_cav_http_dir/port" ]; then
  echo "start-http: the test HTTP server did not start" >&2
  kill "$_cav_http_pid" 2>/dev/null || true
else
  CAV_HTTP_PORT=$(cat "$_cav_http_dir/port")
  export CAV_HTTP_PORT CAV_HTTP_ROOT CAV_HTTP_LOG
  echo "start-http: serving $CAV_HTTP_ROOT on 127.0.0.1:$CAV_HTTP_PORT"
fi
CAV_STOP_SERVERS="${CAV_STOP_SERVERS:+$CAV_STOP_SERVERS; }kill $_cav_http_pid 2>/dev/null; rm -rf $_cav_http_dir"
