#!/usr/bin/env bash
# Builds the signature reader's libFuzzer target with clang (ASan and UBSan) and runs it
# for SECONDS seconds, 300 by default, from a few headings of the test corpus. Run from
# anywhere; findings land in build/fuzz/.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-300}"
out=build/fuzz
mkdir -p "$out"
clang++ -fsanitize=fuzzer,address,undefined -std=c++20 -O1 -g -I. \
    fuzz/read_fuzz.cpp core/signature/*.cpp -o "$out/read_fuzz"
# The whole reading of a copied text: blocks of every style and template, then headings.
clang++ -fsanitize=fuzzer,address,undefined -std=c++20 -O1 -g -I. \
    fuzz/fill_fuzz.cpp core/fill.cpp core/refresh.cpp core/signature/*.cpp core/remark.cpp core/templates.cpp \
    -o "$out/fill_fuzz"
# An old block refreshed from the changed heading under it.
clang++ -fsanitize=fuzzer,address,undefined -std=c++20 -O1 -g -I. \
    fuzz/refresh_fuzz.cpp core/fill.cpp core/refresh.cpp core/signature/*.cpp core/remark.cpp core/templates.cpp \
    -o "$out/refresh_fuzz"

seeds="$(mktemp -d)"
trap 'rm -rf "$seeds"' EXIT
n=0
seed() {
    printf '%b' "$1" >"$seeds/seed$n"
    n=$((n + 1))
}
seed 'static int foo(const std::map<int, int>& m = {},\n    int (*cb)(void*, int), char **argv) noexcept {'
seed 'template <class T, class = std::enable_if_t<std::is_integral_v<T>>>\nT gcd(T a, T b);'
seed 'Widget::Widget(int a) : base(a), m_b{a} {'
seed '@Override\npublic static <T> void sort(List<T> list, Comparator<? super T> c) throws IOException {'
seed '[HttpGet("{id}")]\npublic async Task<ActionResult<TodoItem>> GetTodoItem(long id) => Ok();'
seed 'def dumps(obj, *, skipkeys=False, cls=None,\r\n        default=None, **kw) -> str:'
seed 'func (s *Server) Handle(w http.ResponseWriter, r *http.Request) (int, error) {'
seed "pub fn remove_matches<'a, P>(&'a mut self, pat: P)\nwhere\n    P: for<'x> Pattern<'x>,\n{"
seed "#[Route('/x', methods: ['GET'])]\npublic function show(?Figurine &\$f, ...\$rest): Response"
seed 'export const useToggle = <T,>(initial: T): [T, () => void] => {'
seed 'win32.basename = function(path, ext) {'
seed 'Public Function Foo(ByVal a As Integer, _\n    Optional b As String = "x, y") As Boolean'
seed "procedure TForm1.Button1Click(const A, B: string; var C); overload; { note }"

# A few blocks too, each after the byte that picks the style in force.
seed '\x00/* ==========================================================\r\n*     开发人员：张三\r\n*     编写时间：2024-5-6\r\n*     函数名称：Parse\r\n*     参数说明：a\r\n*                         b\r\n*     功能说明：\r\n\r\n*/'
seed "\x01    '' ==========================================================\n    '     版权说明：张三\n    x\n    '     工程名称：\n    '     文件名：a.c\n    '     目的：\n    '     更新说明:1\n\n    '' =========================================================="

# Old parameter fields and the heading under them: the style and template byte, the
# field, a NUL, the heading.
refresh_seeds="$(mktemp -d)"
trap 'rm -rf "$seeds" "$refresh_seeds"' EXIT
printf '\x00int a\xef\xbc\x9a\xe5\x8a\xa0\r\nlong b - x\x00long Plus(int a, long b) {' >"$refresh_seeds/c"
printf '\x20x: int  a\r\n  more\r\ny\x00def f(y, x: int):' >"$refresh_seeds/python"
printf '\x01ByVal n As Long\x00Public Function Calc(ByVal n As Long) As Double' >"$refresh_seeds/vb"

# A third of the time each: the signature reader alone, the whole reading, a refresh.
third=$(( (seconds + 2) / 3 ))
"$out/read_fuzz" -max_total_time="$third" -max_len=8192 -timeout=5 -artifact_prefix="$out/" "$seeds"
"$out/fill_fuzz" -max_total_time="$third" -max_len=8192 -timeout=5 -artifact_prefix="$out/" "$seeds"
"$out/refresh_fuzz" -max_total_time="$third" -max_len=4096 -timeout=5 -artifact_prefix="$out/" "$refresh_seeds"
