#!/usr/bin/env bash
# Lines of tests against lines of code, over the files git tracks. Code: the program, the substitute
# service, the scripts, the benchmarks and the fuzz targets. Tests: everything under tests/ that is
# source (their support files included), not the data they read.
set -euo pipefail
cd "$(dirname "$0")/.."
count() { xargs -r cat -- 2>/dev/null | wc -l; }
code=$(git ls-files -- '*.cpp' '*.h' '*.py' '*.sh' 'CMakeLists.txt' '*/CMakeLists.txt' | grep -v '^tests/' | count)
tests=$(git ls-files -- 'tests/*' | grep -E '\.(cpp|h|py|sh)$|CMakeLists\.txt$' | count)
echo "tests: $tests lines; code: $code lines; tests are $((100 * tests / code))% of the code"
