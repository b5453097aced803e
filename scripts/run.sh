#!/usr/bin/env bash
# Builds Dictation Desk if needed and starts it. Without a display it runs
# headless (offscreen) and says so.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja --log-level=WARNING -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target DictationDesk >/dev/null
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
  echo "No display found: starting Dictation Desk headless (QT_QPA_PLATFORM=offscreen)."
  export QT_QPA_PLATFORM=offscreen
  exec build/desk/DictationDesk --headless "$@"
fi
exec build/desk/DictationDesk "$@"
