#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Gives every source file the licence line (SPDX-License-Identifier: GPL-3.0-or-later) as its
# first line, or its second after a #! line. Safe to run again. With --check it changes nothing
# and lists the files that lack it (exit 1 if any).
set -euo pipefail
cd "$(dirname "$0")/.."
check=0
[ "${1:-}" = "--check" ] && check=1
tag="SPDX-License-Identifier: GPL-3.0-or-later"

sources() {
    find src cli sim app tests bench fuzz scripts cmake packaging CMakeLists.txt -type f \
         \( -name '*.cpp' -o -name '*.h' -o -name '*.cmake' -o -name '*.sh' -o -name '*.py' \
            -o -name CMakeLists.txt \) -print0 | sort -z
}
# The line itself, not a mention of it, in one of the first two lines.
spdx='^(//|#) SPDX-License-Identifier: '
if [ "$check" -eq 1 ]; then
    sources | xargs -0 awk -v re="$spdx" '
        FNR == 1 { if (name != "" && !found) { print "no licence line: " name; bad = 1 }
                   name = FILENAME; found = 0 }
        FNR <= 2 && $0 ~ re { found = 1 }
        FNR > 2 { nextfile }
        END { if (name != "" && !found) { print "no licence line: " name; bad = 1 }
              exit bad }'
    exit
fi
while IFS= read -r -d '' f; do
    head -n 2 "$f" | grep -q -E "$spdx" && continue
    case "$f" in
        *.cpp | *.h) line="// $tag" ;;
        *) line="# $tag" ;;
    esac
    if head -c 2 "$f" | grep -q '^#!'; then
        sed -i "1a $line" "$f"
    else
        sed -i "1i $line" "$f"
    fi
done < <(sources)
