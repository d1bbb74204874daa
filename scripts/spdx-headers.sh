#!/usr/bin/env bash
# Gives every source file the licence line (SPDX-License-Identifier: GPL-3.0-or-later) as its
# first line, or its second after a #! line. Safe to run again. With --check it changes nothing
# and lists the files that lack it (exit 1 if any).
set -euo pipefail
cd "$(dirname "$0")/.."
check=0
[ "${1:-}" = "--check" ] && check=1
tag="SPDX-License-Identifier: GPL-3.0-or-later"

missing=0
while IFS= read -r -d '' f; do
    head -n 2 "$f" | grep -q "SPDX-License-Identifier:" && continue
    if [ "$check" -eq 1 ]; then
        echo "no licence line: $f"
        missing=1
        continue
    fi
    case "$f" in
        *.cpp | *.h) line="// $tag" ;;
        *) line="# $tag" ;;
    esac
    if head -c 2 "$f" | grep -q '^#!'; then
        sed -i "1a $line" "$f"
    else
        sed -i "1i $line" "$f"
    fi
done < <(find src cli sim app tests bench fuzz scripts cmake packaging CMakeLists.txt \
              -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.cmake' -o -name '*.sh' \
                         -o -name '*.py' -o -name CMakeLists.txt \) -print0 | sort -z)
exit "$missing"
