#!/usr/bin/env bash
# Runs a Windows test program under Wine with COM13 and COM4 joined by a serial line: a socat
# pseudo-terminal pair, mapped through Wine's registry (HKLM\Software\Wine\Ports). Wine's
# mount manager reads that key when it starts, so Wine's server is restarted to make the ports.
set -euo pipefail
folder=$(mktemp -d /tmp/quorvelin-serial-XXXXXX)
socat pty,raw,echo=0,b4800,link="$folder/sending" pty,raw,echo=0,b4800,link="$folder/receiving" \
    </dev/null >/dev/null 2>&1 &
socat=$!
finish() {
    kill "$socat" 2>/dev/null || true
    wait "$socat" 2>/dev/null || true
    rm -rf "$folder"
}
trap finish EXIT
for _ in {1..200}; do
    [[ -e $folder/sending && -e $folder/receiving ]] && break
    sleep 0.01
done
quiet() { "$@" >/dev/null 2>&1 </dev/null; }
quiet wine reg add 'HKLM\Software\Wine\Ports' /v COM13 /d "$folder/sending" /f
quiet wine reg add 'HKLM\Software\Wine\Ports' /v COM4 /d "$folder/receiving" /f
# The new server and its services are started away from the test's output, which they would
# otherwise hold open; the mount manager then links the ports' names to the pair's ends.
quiet wineserver -k || true
quiet wineserver -w || true
quiet wineserver -p
quiet wine reg query 'HKLM\Software\Wine\Ports'
for _ in {1..500}; do
    [[ $(readlink "$WINEPREFIX/dosdevices/com4") == "$folder/receiving" ]] && break
    sleep 0.01
done
wine "$@"
