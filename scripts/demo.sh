#!/usr/bin/env bash
# Builds Velkaro and starts it against the bundled substitute game service.
set -euo pipefail
cd "$(dirname "$0")/.."
echo "The program window and the substitute service are not built yet; run scripts/test.sh for the tests."
exit 1
