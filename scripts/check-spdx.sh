#!/usr/bin/env bash
# Lists the C++, CMake, shell and Python sources tracked by git that lack the line
# "SPDX-License-Identifier: GPL-3.0-or-later" among their first 5 lines, and
# fails if there is any.
set -euo pipefail
cd "$(dirname "$0")/.."
tag='SPDX-License-Identifier: GPL-3.0-or-later'
missing=0
while IFS= read -r -d '' file; do
  [ -f "$file" ] && [ ! -L "$file" ] || continue
  case $file in
    *.cpp | *.cc | *.h | *.hpp | CMakeLists.txt | */CMakeLists.txt | *.cmake | *.sh | *.py) ;;
    *) head -c 200 "$file" | head -n 1 | grep -qE '^#!.*\b(ba)?sh\b' || continue ;;
  esac
  if ! head -n 5 "$file" | grep -qF "$tag"; then
    echo "$file"
    missing=$((missing + 1))
  fi
done < <(git ls-files -z)
if [ $missing -gt 0 ]; then
  echo "check-spdx.sh: $missing source file(s) without \"$tag\"" >&2
  exit 1
fi
