#!/usr/bin/env bash
# Dependencies point down: each folder includes only the folders its row
# allows. Prints every include that reaches up and exits non-zero on any.
set -u
root="$1"
cd "$root" || exit 2
status=0
# folder | folders it must not include (a *_win adapter may add window/)
while read -r folder forbidden; do
    for other in $forbidden; do
        hits=$(grep -rn --include='*.cpp' --include='*.h' "#include \"$other/" "$folder" 2>/dev/null)
        if [ -n "$hits" ]; then
            echo "$folder/ includes $other/:"
            echo "$hits"
            status=1
        fi
    done
done <<'TABLE'
ctl app ui input
settings app ui input ctl
ui app ctl settings
input app ctl settings
assign app ui input ctl settings device perf
perf app ui input ctl settings device assign
device app ui input ctl settings perf
config app ui input ctl settings device assign perf lang
lang app ui input ctl settings device assign perf config
TABLE
[ $status -eq 0 ] && echo "layering: every include points down"
exit $status
