#!/usr/bin/env bash
# Starts a program on a private Xvfb, waits for it to draw, writes a screenshot and stops both.
# Usage: run-headless.sh PROGRAM SCREENSHOT [SECONDS]
set -euo pipefail
program=$1 shot=$2 wait=${3:-10}

exec 3< <(Xvfb -displayfd 1 -screen 0 1280x800x24 -nolisten tcp -noreset 2>/dev/null & echo "pid $!")
read -r _ xvfb_pid <&3
trap 'kill "$prog_pid" 2>/dev/null || true; kill "$xvfb_pid" 2>/dev/null || true' EXIT
read -r -t 10 display <&3
export DISPLAY=":$display"

"$program" &
prog_pid=$!
sleep "$wait"
import -display "$DISPLAY" -window root "$shot"
echo "screenshot: $shot"
