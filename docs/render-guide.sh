#!/usr/bin/env bash
# Renders the user guide to one self-contained HTML page: the Markdown through
# cmark between the page's head and tail, each screenshot embedded as data.
#
#   render-guide.sh <docs folder> <output .html>
set -euo pipefail
docs="$1"
out="$2"
tmp="$out.tmp"
{
    cat "$docs/guide-head.html"
    cmark "$docs/guide.md" | while IFS= read -r line; do
        while [[ "$line" =~ src=\"(screenshots/[A-Za-z0-9._-]+\.png)\" ]]; do
            image="${BASH_REMATCH[1]}"
            data="data:image/png;base64,$(base64 -w0 "$docs/$image")"
            line="${line/src=\"$image\"/src=\"$data\"}"
        done
        printf '%s\n' "$line"
    done
    cat "$docs/guide-tail.html"
} >"$tmp"
mv "$tmp" "$out"
