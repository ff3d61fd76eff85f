#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program on the sample data
# folder data/ (created on first start). Arguments are passed to the program.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/scripts/deps.sh"
"$root/scripts/build.sh"
data="$root/data"
mkdir -p "$data"
# A first start gets the sample form picture of the default waybill template
# and the sample label template, listed after the default template (a data
# folder that has its settings already keeps its own list).
mkdir -p "$data/用户信函模版"
cp -n "$root/sample/用户信函模版/"* "$data/用户信函模版/" 2>/dev/null || true
[ -e "$data/SlipdeskPosts.INI" ] || cp "$root/sample/SlipdeskPosts.INI" "$data/SlipdeskPosts.INI"
bin="${SLIPDESK_BUILD:-$root/build}"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  shot="$data/slipdesk-window.png"
  echo "No display available: starting the program off-screen instead."
  echo "It writes a picture of its main window to $shot and ends;"
  echo "the data folder it uses is $data."
  QT_QPA_PLATFORM=offscreen "$bin/slipdesk" --data "$data" --print-to "$data/pdf" --screenshot "$shot" "$@"
  echo "Written: $shot"
  exit 0
fi
exec "$bin/slipdesk" --data "$data" --print-to "$data/pdf" "$@"
