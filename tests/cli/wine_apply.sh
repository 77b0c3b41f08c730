#!/usr/bin/env bash
# The Windows build's apply, run once under Wine: a Chinese template, field and folder on
# the command line, an ANSI settings file, a C file in UTF-8 replaced where it lies, a VB
# module in code page 936 whose header stays first, the temporary file of a run that was cut
# short removed. The files as written, byte for byte.
#   wine_apply.sh INKWARDEN_EXE
set -euo pipefail
exe=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mkdir "$dir/工程"
printf 'int x;\r\n' >"$dir/工程/主.c"
printf 'Attribute VB_Name = "M"\r\nSub A() \x27 中文\r\n' | iconv -f UTF-8 -t CP936 >"$dir/工程/m.bas"
printf 'half written' >"$dir/工程/.主.c.inkwarden-999999-0.tmp"
printf "[main]\r\nwriter=张三\r\ndate='D'\r\n" | iconv -f UTF-8 -t CP936 >"$dir/scribbet.ini"

wine "$exe" apply --quiet --ini "Z:$dir/scribbet.ini" --template 版权说明 --field 工程名称=演示 "Z:$dir/工程" \
    >"$dir/out" 2>"$dir/err" || { echo "exit status $?"; cat "$dir/err"; exit 1; }

rule=$(printf '=%.0s' $(seq 58))
fields() { # lead prefix file
    printf '%s%s\r\n' "$1" "$rule"
    printf '%s版权说明：张三\r\n%s工程名称：演示\r\n%s文件名：%s\r\n%s目的：\r\n%s更新说明:\r\n\r\n' "$2" "$2" "$2" "$3" "$2" "$2"
}
{ fields '/* ' '*     ' 主.c; printf '*/\r\nint x;\r\n'; } >"$dir/主.c.expected"
{ printf 'Attribute VB_Name = "M"\r\n'; fields "'' " "'     " m.bas; printf "'' %s\r\nSub A() ' 中文\r\n" "$rule"; } |
    iconv -f UTF-8 -t CP936 >"$dir/m.bas.expected"
status=0
for f in 主.c m.bas; do
    cmp "$dir/工程/$f" "$dir/$f.expected" || { echo "$f as written:"; od -c "$dir/工程/$f" | head -20; status=1; }
done
[ ! -s "$dir/out" ] || { echo "unexpected output:"; cat "$dir/out"; status=1; }
[ "$(ls -A "$dir/工程" | wc -l)" -eq 2 ] || { echo "files left beside them:"; ls -A "$dir/工程"; status=1; }
[ $status -eq 0 ] && echo "2 passed, 0 failed"
exit $status
