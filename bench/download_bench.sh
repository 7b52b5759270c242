#!/bin/sh
# Serves one file on 127.0.0.1 and fetches it with curl and with the
# program's HTTP read under Wine (download_bench.exe), printing both rates.
#
# Usage: bench/download_bench.sh [MB]   (after scripts/test win64; 200 MB by default)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/win64
size=${1:-200}
serve=$(mktemp -d)
trap 'kill $server 2>/dev/null || true; rm -rf "$serve"' EXIT
head -c "${size}M" /dev/urandom >"$serve/Corvessa.exe"
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$serve" >/dev/null 2>&1 &
server=$!
sleep 1
url=http://127.0.0.1:$port/Corvessa.exe
for run in 1 2 3; do
    curl -s -o /dev/null -w "curl run $run: %{size_download} bytes in %{time_total} s, %{speed_download} B/s\n" "$url"
done
LANG=C.UTF-8 LC_ALL=C.UTF-8 WINEDEBUG=-all \
    "$root/cmake/wine-run" win64 "$build/wineprefix" "$build/bench/download_bench.exe" "$url" 3
