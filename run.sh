#!/usr/bin/env bash
# Builds KOPLAR GE and starts the editor, optionally with a mechanism file.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
"$root/tools/setup.sh" build -DCMAKE_BUILD_TYPE=RelWithDebInfo
exec "$root/build/koplar" "$@"
