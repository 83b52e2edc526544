#!/bin/sh
# Runs one test in fresh folders: current folder, settings, runtime and home.
set -e
top=$(mktemp -d)
trap 'rm -rf "$top"' EXIT
mkdir -p "$top/cwd" "$top/config" "$top/runtime" "$top/home"
chmod 700 "$top/runtime"
export XDG_CONFIG_HOME="$top/config" XDG_RUNTIME_DIR="$top/runtime" HOME="$top/home"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
cd "$top/cwd"
"$@"
