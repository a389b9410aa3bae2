#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks that every include of the program's folders follows the layers:
# a folder includes only from itself and from the folders it may use (the
# links of its library in CMakeLists.txt, followed down), and the pure
# folders include no Qt. Prints file:line for every include against the
# layers and exits 1 if there is one.
#
# Usage: scripts/check_layers.sh [source root]
set -euo pipefail
root=${1:-"$(cd "$(dirname "$0")/.." && pwd)"}
cd "$root"

# The folders each folder may include from directly, as its library links
# them in CMakeLists.txt: `uses` are the public links (an includer of the
# folder may include them too), `private_uses` the private ones (for the
# folder's own files only). A folder's own files are always allowed.
declare -A uses=(
    [text]=""
    [astro]="astro/tables"
    [astro/tables]="astro"  # the series tables of the astro library
    [astro/services]="astro"
    [astro/events]="astro/services"
    [stars]="text"
    [platform]="astro"
    [core]="astro/events stars"
    [pages]="core platform"
    [cli]=""
    [platform/qt]=""
    [ui]="pages platform/qt"
    [ui/dialogs]="pages platform/qt"
    [ui/pages]="ui ui/dialogs"
    [app]="ui/pages"
)
declare -A private_uses=(
    [core]="platform"
    [cli]="pages"
)
# Folders whose code must build without Qt.
pure="text astro astro/tables astro/services astro/events stars platform core pages cli"
# Folders of this source tree an include can name; other first components
# (<sys/...>, <gtest/...>) are libraries outside it.
project="text astro stars platform core pages cli ui app tests bench tools"

# closure F: F and the public uses of F, followed down.
closure() {
    local todo=("$1") seen=" $1 " f u
    while ((${#todo[@]})); do
        f=${todo[0]}
        todo=("${todo[@]:1}")
        for u in ${uses[$f]}; do
            [[ $seen == *" $u "* ]] && continue
            seen+="$u "
            todo+=("$u")
        done
    done
    echo "$seen"
}
# allowed[F]: the closure of F and of each of its private uses.
declare -A allowed
for f in "${!uses[@]}"; do
    allowed[$f]=$(closure "$f")
    for p in ${private_uses[$f]:-}; do allowed[$f]+=" $(closure "$p") "; done
done

failures=0
fail() {
    echo "$1: $2" >&2
    failures=$((failures + 1))
}

# Every folder with program code must be in the table (tests, benchmarks
# and tools may use every layer).
while IFS= read -r dir; do
    [[ -v "uses[$dir]" ]] || fail "$dir" "folder is not in the layer table of scripts/check_layers.sh"
done < <(find . \( -path ./tests -o -path ./bench -o -path ./tools -o -path './build*' -o -path './.*' \) -prune \
             -o -type f \( -name '*.h' -o -name '*.cpp' \) -printf '%h\n' | sed 's#^\./##' | sort -u)

for dir in "${!uses[@]}"; do
    [[ -d $dir ]] || continue
    is_pure=0
    [[ " $pure " == *" $dir "* ]] && is_pure=1
    # Only the folder's own files, not its subfolders (they are layers of
    # their own).
    while IFS= read -r hit; do
        [[ -n $hit ]] || continue
        file=${hit%%:*}
        rest=${hit#*:}
        line=${rest%%:*}
        text=${rest#*:}
        target=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]([^>"]*)[>"].*/\1/' <<<"$text")
        if [[ $target == *..* ]]; then
            fail "$file:$line" "include leaves its folder by a relative path: $target"
            continue
        fi
        if ((is_pure)) && [[ $target =~ ^Q[A-Za-z0-9_]*(/|$) ]]; then
            fail "$file:$line" "Qt include in a folder without Qt ($dir): $target"
            continue
        fi
        [[ $target == */* ]] || continue
        top=${target%%/*}
        [[ " $project " == *" $top "* ]] || continue
        folder=${target%/*}
        [[ ${allowed[$dir]} == *" $folder "* ]] ||
            fail "$file:$line" "$dir may not include $folder: $target"
    done < <(find "$dir" -maxdepth 1 -type f \( -name '*.h' -o -name '*.cpp' \) -print0 | sort -z |
                 xargs -0 -r grep -HnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]' || true)
done

if ((failures)); then
    echo "$failures include(s) against the layers" >&2
    exit 1
fi
echo "includes follow the layers"
