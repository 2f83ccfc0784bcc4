#!/usr/bin/env bash
# Renders the user guide to one self-contained HTML page: the Markdown through
# cmark-gfm (for its tables) between the page's head and tail, each screenshot
# embedded as data. Plain cmark still renders everything but the tables, which
# it leaves as lines of text; it is used, with a warning, only without cmark-gfm.
# Every @VERSION@ in the page becomes the version given, so the guide names the
# release it came with.
#
#   render-guide.sh <docs folder> <output .html> [version]
set -euo pipefail
docs="$1"
out="$2"
version="${3:-}"
tmp="$out.tmp"
if command -v cmark-gfm >/dev/null; then
    markdown=(cmark-gfm -e table)
else
    echo "render-guide.sh: cmark-gfm is missing; the guide's tables stay plain text" >&2
    markdown=(cmark)
fi
{
    sed "s/@VERSION@/$version/g" "$docs/guide-head.html"
    "${markdown[@]}" "$docs/guide.md" | while IFS= read -r line; do
        while [[ "$line" =~ src=\"(screenshots/[A-Za-z0-9._-]+\.png)\" ]]; do
            image="${BASH_REMATCH[1]}"
            data="data:image/png;base64,$(base64 -w0 "$docs/$image")"
            line="${line/src=\"$image\"/src=\"$data\"}"
        done
        printf '%s\n' "${line//@VERSION@/$version}"
    done
    cat "$docs/guide-tail.html"
} >"$tmp"
mv "$tmp" "$out"
