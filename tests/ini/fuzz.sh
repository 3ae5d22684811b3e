#!/usr/bin/env bash
# Builds the fuzzer of the profile functions with clang's libFuzzer, AddressSanitizer and UBSan, and
# runs it. Needs clang (Debian package clang). Usage: tests/ini/fuzz.sh [seconds] [libFuzzer flags]
# The corpus it grows is kept in build-fuzz/ini-corpus, so that a later run goes on from there.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
out=${FUZZ_OUT:-$root/build-fuzz}
seconds=${1:-600}
shift || true
mkdir -p "$out/ini-corpus"
clang++ -std=c++20 -O1 -g -fno-omit-frame-pointer -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -Wall -Wextra -I"$root" "$here/ProfileFuzzer.cpp" "$root"/platform/ini/*.cpp -o "$out/ini_fuzzer"
# The file that each input becomes lives on a memory file system where there is one.
TOVIRA_FUZZ_DIR=$(mktemp -d /dev/shm/tovira-fuzz-XXXXXX 2>/dev/null || mktemp -d)
export TOVIRA_FUZZ_DIR
trap 'rm -rf "$TOVIRA_FUZZ_DIR"' EXIT
"$out/ini_fuzzer" -max_total_time="$seconds" -max_len=8192 -print_final_stats=1 -artifact_prefix="$out/" "$@" \
  "$out/ini-corpus"
