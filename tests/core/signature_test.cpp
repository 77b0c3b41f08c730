#include "core/signature/signature.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

namespace inkwarden {
namespace {

struct Heading {
    std::string text;
    std::string name;
    std::vector<std::string> parameters;
    bool procedure;
    std::string language;
};

void PrintTo(const Heading& h, std::ostream* os) {
    *os << h.text;
}

constexpr bool F = false, P = true; // a function; a procedure (VB Sub, Pascal procedure)

// Headings as programmers wrote them, copied the way an editor selection takes them.
// clang-format off
const Heading kHeadings[] = {
    // C: redis/redis src/sds.c
    {"static inline int adjustTypeIfNeeded(char *type, int *hdrlen, size_t bufsize) {", "adjustTypeIfNeeded",
     {"char *type", "int *hdrlen", "size_t bufsize"}, F, ""},
    {"sds _sdsnewlen(const void *init, size_t initlen, int trymalloc) {", "_sdsnewlen",
     {"const void *init", "size_t initlen", "int trymalloc"}, F, ""},
    {"sds sdsnewplacement(char *buf, size_t bufsize, char type, const char *init, size_t initlen) {", "sdsnewplacement",
     {"char *buf", "size_t bufsize", "char type", "const char *init", "size_t initlen"}, F, ""},
    {"sds sdsempty(void) {", "sdsempty", {}, F, ""},
    {"void *sdsAllocPtr(sds s) {", "sdsAllocPtr", {"sds s"}, F, ""},
    {"sds sdsdup(const sds s) {\n    return sdsnewlen(s, sdslen(s));\n}", "sdsdup", {"const sds s"}, F, ""},
    {"void sdsIncrLen(sds s, ssize_t incr);", "sdsIncrLen", {"sds s", "ssize_t incr"}, F, ""},
    // C: the C standard library and POSIX as their headers declare them
    {"int main(int argc, char **argv)", "main", {"int argc", "char **argv"}, F, ""},
    {"int printf(const char *restrict format, ...);", "printf", {"const char *restrict format", "..."}, F, ""},
    {"void qsort(void *base, size_t nmemb, size_t size,\n           int (*compar)(const void *, const void *));", "qsort",
     {"void *base", "size_t nmemb", "size_t size", "int (*compar)(const void *, const void *)"}, F, ""},
    {"int pthread_create(pthread_t *restrict thread,\n\tconst pthread_attr_t *restrict attr,\n\tvoid *(*start_routine)(void *),\n\tvoid *restrict arg);", "pthread_create",
     {"pthread_t *restrict thread", "const pthread_attr_t *restrict attr", "void *(*start_routine)(void *)", "void *restrict arg"}, F, ""},
    {"LRESULT CALLBACK WndProc(HWND, UINT, WPARAM, LPARAM);", "WndProc", {"HWND", "UINT", "WPARAM", "LPARAM"}, F, ""},
    {"BOOL WINAPI DllMain(\r\n    _In_ HINSTANCE hinstDLL,\r\n    _In_ DWORD fdwReason,\r\n    _In_ LPVOID lpvReserved\r\n);", "DllMain",
     {"_In_ HINSTANCE hinstDLL", "_In_ DWORD fdwReason", "_In_ LPVOID lpvReserved"}, F, ""},
    // C++: llvm/llvm-project llvm/lib/Support/StringRef.cpp
    {"static int ascii_strncasecmp(const char *LHS, const char *RHS, size_t Length) {", "ascii_strncasecmp",
     {"const char *LHS", "const char *RHS", "size_t Length"}, F, ""},
    {"int StringRef::compare_insensitive(StringRef RHS) const {", "StringRef::compare_insensitive", {"StringRef RHS"}, F, ""},
    {"unsigned StringRef::edit_distance(llvm::StringRef Other,\n                                  bool AllowReplacements,\n                                  unsigned MaxEditDistance) const {", "StringRef::edit_distance",
     {"llvm::StringRef Other", "bool AllowReplacements", "unsigned MaxEditDistance"}, F, ""},
    {"unsigned llvm::StringRef::edit_distance_insensitive(\n    StringRef Other, bool AllowReplacements, unsigned MaxEditDistance) const {", "llvm::StringRef::edit_distance_insensitive",
     {"StringRef Other", "bool AllowReplacements", "unsigned MaxEditDistance"}, F, ""},
    {"std::string StringRef::lower() const {", "StringRef::lower", {}, F, ""},
    {"StringRef::size_type StringRef::find_first_of(StringRef Chars,\n                                              size_t From) const {", "StringRef::find_first_of",
     {"StringRef Chars", "size_t From"}, F, ""},
    {"void StringRef::split(SmallVectorImpl<StringRef> &A,\n                      StringRef Separator, int MaxSplit,\n                      bool KeepEmpty) const {", "StringRef::split",
     {"SmallVectorImpl<StringRef> &A", "StringRef Separator", "int MaxSplit", "bool KeepEmpty"}, F, ""},
    {"static unsigned GetAutoSenseRadix(StringRef &Str) {", "GetAutoSenseRadix", {"StringRef &Str"}, F, ""},
    {"bool llvm::consumeUnsignedInteger(StringRef &Str, unsigned Radix,\n                                  unsigned long long &Result) {", "llvm::consumeUnsignedInteger",
     {"StringRef &Str", "unsigned Radix", "unsigned long long &Result"}, F, ""},
    // C++: the standard library as cppreference declares it
    {"template< class RandomIt, class Compare >\nvoid sort( RandomIt first, RandomIt last, Compare comp );", "sort",
     {"RandomIt first", "RandomIt last", "Compare comp"}, F, ""},
    {"template <class T, class = std::enable_if_t<std::is_integral_v<T>>>\nT gcd(T a, T b);", "gcd", {"T a", "T b"}, F, ""},
    {"template< class T >\n    requires std::integral<T>\nconstexpr T midpoint( T a, T b ) noexcept;", "midpoint", {"T a", "T b"}, F, ""},
    {"template< class... Args >\nreference emplace_back( Args&&... args );", "emplace_back", {"Args&&... args"}, F, ""},
    {"[[nodiscard]] constexpr size_type size() const noexcept;", "size", {}, F, ""},
    {"friend bool operator==( const unique_ptr& x, std::nullptr_t ) noexcept;", "operator==", {"const unique_ptr& x", "std::nullptr_t"}, F, ""},
    {"template< class CharT, class Traits >\nstd::basic_ostream<CharT, Traits>&\n    operator<<( std::basic_ostream<CharT, Traits>& os, const std::string& str );", "operator<<",
     {"std::basic_ostream<CharT, Traits>& os", "const std::string& str"}, F, ""},
    {"explicit operator bool() const noexcept;", "operator bool", {}, F, ""},
    {"vector& operator=( const vector& other );", "operator=", {"const vector& other"}, F, ""},
    {"auto operator<=>( const pair& p ) const = default;", "operator<=>", {"const pair& p"}, F, ""},
    {"R operator()( ArgTypes... args ) const;", "operator()", {"ArgTypes... args"}, F, ""},
    {"template< class F, class... Args >\nexplicit thread( F&& f, Args&&... args );", "thread", {"F&& f", "Args&&... args"}, F, ""},
    {"~thread();", "~thread", {}, F, ""},
    {"virtual ~basic_streambuf();", "~basic_streambuf", {}, F, ""},
    {"template< class InputIt, class UnaryFunc >\nconstexpr UnaryFunc for_each( InputIt first, InputIt last, UnaryFunc f );", "for_each",
     {"InputIt first", "InputIt last", "UnaryFunc f"}, F, ""},
    {"std::function<void(int, int)> bind_handler(const std::map<int, std::vector<int>>& m = {},\n    std::function<void(int, int)> f = nullptr);", "bind_handler",
     {"const std::map<int, std::vector<int>>& m = {}", "std::function<void(int, int)> f = nullptr"}, F, ""},
    {"auto add(int a, int b) -> decltype(a + b);", "add", {"int a", "int b"}, F, ""},
    {"virtual void paintEvent(QPaintEvent *event) override;", "paintEvent", {"QPaintEvent *event"}, F, ""},
    {"virtual bool event(QEvent *e) = 0;", "event", {"QEvent *e"}, F, ""},
    {"QWidget::QWidget(QWidget *parent, Qt::WindowFlags f)\n    : QObject(*new QWidgetPrivate, nullptr), QPaintDevice()\n{", "QWidget::QWidget",
     {"QWidget *parent", "Qt::WindowFlags f"}, F, ""},
    {"explicit QWidget(QWidget *parent = nullptr, Qt::WindowFlags f = Qt::WindowFlags());", "QWidget",
     {"QWidget *parent = nullptr", "Qt::WindowFlags f = Qt::WindowFlags()"}, F, ""},
    {"void QWidget::setGeometry(int x, int y, int w, int h)\n{\n    setGeometry(QRect(x, y, w, h));\n}", "QWidget::setGeometry",
     {"int x", "int y", "int w", "int h"}, F, ""},
    {"QWidget::~QWidget()\n{", "QWidget::~QWidget", {}, F, ""},
    // C++: projects on GitHub, headings a first reading missed
    {"virtual void Copy(TreeNode * destination) const override;", "Copy", {"TreeNode * destination"}, F, ""},
    {"\tSVGPolygon(const std::vector<CustomPoint>&);", "SVGPolygon", {"const std::vector<CustomPoint>&"}, F, ""},
    {"UFUNCTION(BlueprintCallable, Category = \"Damage\")\nvoid ApplyDamage(float Amount, AActor* Instigator);", "ApplyDamage",
     {"float Amount", "AActor* Instigator"}, F, ""},
    {"extern \"C\" __attribute__((visibility(\"default\"))) int __cdecl Init(void);", "Init", {}, F, ""},
    // C: headings of kinds a first reading missed (redis, POSIX, git, linux, C textbooks)
    {"void initServer(void)", "initServer", {}, F, ""},
    {"pid_t fork(void);", "fork", {}, F, ""},
    {"int cmd_version(int argc, const char **argv, const char *prefix, struct repository *repo UNUSED)", "cmd_version",
     {"int argc", "const char **argv", "const char *prefix", "struct repository *repo UNUSED"}, F, ""},
    {"static int stats_show(struct seq_file *s, void *data __maybe_unused)", "stats_show",
     {"struct seq_file *s", "void *data __maybe_unused"}, F, ""},
    {"static void on_signal(int sig __attribute__((unused)))", "on_signal", {"int sig __attribute__((unused))"}, F, ""},
    {"int (*pick_op(char c))(int, int) {", "pick_op", {"char c"}, F, ""},
    {"static void (*get_handler(int which))(void);", "get_handler", {"int which"}, F, ""},
    // C++ and Java: braced and unnamed defaults, annotations before varargs
    {"Widget(int w = {}, Flags f = {}) : w_(w), f_(f) {}", "Widget", {"int w = {}", "Flags f = {}"}, F, ""},
    {"Widget(int w = {}, Flags = {}) : w_(w) {}", "Widget", {"int w = {}", "Flags = {}"}, F, ""},
    {"void show(Flags = {});", "show", {"Flags = {}"}, F, ""},
    {"public static void log(@NonNull String @NonNull ... names)", "log", {"@NonNull String @NonNull ... names"}, F, ""},
    // Java: openjdk/jdk src/java.base/share/classes/java/util/Collections.java
    {"    public static <T> void sort(List<T> list, Comparator<? super T> c) {", "sort", {"List<T> list", "Comparator<? super T> c"}, F, ""},
    {"    public static <T>\n    int binarySearch(List<? extends Comparable<? super T>> list, T key) {", "binarySearch",
     {"List<? extends Comparable<? super T>> list", "T key"}, F, ""},
    {"    private static <T>\n    int iteratorBinarySearch(List<? extends Comparable<? super T>> list, T key)\n    {", "iteratorBinarySearch",
     {"List<? extends Comparable<? super T>> list", "T key"}, F, ""},
    {"    @SuppressWarnings({\"rawtypes\", \"unchecked\"})\n    public static void reverse(List<?> list) {", "reverse", {"List<?> list"}, F, ""},
    {"    private static void swap(Object[] arr, int i, int j) {", "swap", {"Object[] arr", "int i", "int j"}, F, ""},
    {"    public static <T> void fill(List<? super T> list, T obj) {", "fill", {"List<? super T> list", "T obj"}, F, ""},
    // Java: the JDK's own signatures (String, Object, Thread, Files)
    {"public static void main(String[] args) throws IOException {", "main", {"String[] args"}, F, ""},
    {"@Override\npublic boolean equals(Object obj) {", "equals", {"Object obj"}, F, ""},
    {"public static String format(String format, Object... args) {", "format", {"String format", "Object... args"}, F, ""},
    {"public final void join(long millis) throws InterruptedException {", "join", {"long millis"}, F, ""},
    {"public static Path write(Path path, Iterable<? extends CharSequence> lines,\n                             Charset cs, OpenOption... options)\n        throws IOException", "write",
     {"Path path", "Iterable<? extends CharSequence> lines", "Charset cs", "OpenOption... options"}, F, ""},
    {"protected native Object clone() throws CloneNotSupportedException;", "clone", {}, F, ""},
    {"public ArrayList(int initialCapacity) {", "ArrayList", {"int initialCapacity"}, F, ""},
    {"default void forEach(Consumer<? super T> action) {", "forEach", {"Consumer<? super T> action"}, F, ""},
    // C#: dotnet/runtime src/libraries/System.Private.CoreLib/src/System/String.Manipulation.cs
    {"        public string PadRight(int totalWidth) => PadRight(totalWidth, ' ');", "PadRight", {"int totalWidth"}, F, ""},
    {"        public string Replace(string oldValue, string? newValue, bool ignoreCase, CultureInfo? culture)", "Replace",
     {"string oldValue", "string? newValue", "bool ignoreCase", "CultureInfo? culture"}, F, ""},
    {"        private static string? ReplaceCore(ReadOnlySpan<char> searchSpace, ReadOnlySpan<char> oldValue, ReadOnlySpan<char> newValue, CompareInfo compareInfo, CompareOptions options)", "ReplaceCore",
     {"ReadOnlySpan<char> searchSpace", "ReadOnlySpan<char> oldValue", "ReadOnlySpan<char> newValue", "CompareInfo compareInfo", "CompareOptions options"}, F, ""},
    {"        public string ReplaceLineEndings() => ReplaceLineEndings(Environment.NewLineConst);", "ReplaceLineEndings", {}, F, ""},
    {"        private string ReplaceHelper(int oldValueLength, string newValue, ReadOnlySpan<int> indices)\n        {", "ReplaceHelper",
     {"int oldValueLength", "string newValue", "ReadOnlySpan<int> indices"}, F, ""},
    // C#: ASP.NET Core and .NET API signatures as their documentation gives them
    {"[HttpGet(\"{id}\")]\npublic async Task<ActionResult<TodoItem>> GetTodoItem(long id)", "GetTodoItem", {"long id"}, F, ""},
    {"public static int Sum(params int[] values)", "Sum", {"params int[] values"}, F, ""},
    {"public static bool IsNullOrEmpty([NotNullWhen(false)] string? value)", "IsNullOrEmpty", {"[NotNullWhen(false)] string? value"}, F, ""},
    {"public static TSource First<TSource>(this IEnumerable<TSource> source, Func<TSource, bool> predicate)", "First",
     {"this IEnumerable<TSource> source", "Func<TSource, bool> predicate"}, F, ""},
    {"public bool TryGetValue(TKey key, [MaybeNullWhen(false)] out TValue value)", "TryGetValue",
     {"TKey key", "[MaybeNullWhen(false)] out TValue value"}, F, ""},
    {"public static void Info(string message, [CallerMemberName] string caller = \"\", [CallerLineNumber] int line = 0)", "Info",
     {"string message", "[CallerMemberName] string caller = \"\"", "[CallerLineNumber] int line = 0"}, F, ""},
    {"public T Max<T>(T a, T b) where T : IComparable<T>, new()", "Max", {"T a", "T b"}, F, ""},
    {"public override string ToString() => $\"{Name} ({Age})\";", "ToString", {}, F, ""},
    {"public Person(string name, int age) : this(name)\n{", "Person", {"string name", "int age"}, F, ""},
    {"protected virtual void Dispose(bool disposing)\r\n{\r\n}", "Dispose", {"bool disposing"}, F, ""},
    // Go: golang/go src/strings/strings.go
    {"func explode(s string, n int) []string {", "explode", {"s string", "n int"}, F, "go"},
    {"func hashStr(sep string) (uint32, uint32) {", "hashStr", {"sep string"}, F, "go"},
    {"func Count(s, substr string) int {", "Count", {"s string", "substr string"}, F, "go"},
    {"func genSplit(s, sep string, sepSave, n int) []string {", "genSplit", {"s string", "sep string", "sepSave int", "n int"}, F, "go"},
    {"func SplitN(s, sep string, n int) []string { return genSplit(s, sep, 0, n) }", "SplitN", {"s string", "sep string", "n int"}, F, "go"},
    {"func FieldsFunc(s string, f func(rune) bool) []string {", "FieldsFunc", {"s string", "f func(rune) bool"}, F, "go"},
    {"func Map(mapping func(rune) rune, s string) string {", "Map", {"mapping func(rune) rune", "s string"}, F, "go"},
    {"func ContainsRune(s string, r rune) bool {", "ContainsRune", {"s string", "r rune"}, F, "go"},
    // Go: net/http, slices, fmt
    {"func (srv *Server) ListenAndServe() error {", "ListenAndServe", {}, F, "go"},
    {"func (mux *ServeMux) HandleFunc(pattern string, handler func(ResponseWriter, *Request)) {", "HandleFunc",
     {"pattern string", "handler func(ResponseWriter, *Request)"}, F, "go"},
    {"func Index[S ~[]E, E comparable](s S, v E) int {", "Index", {"s S", "v E"}, F, "go"},
    {"func Fprintf(w io.Writer, format string, a ...any) (n int, err error) {", "Fprintf", {"w io.Writer", "format string", "a ...any"}, F, "go"},
    // Rust: rust-lang/rust library/alloc/src/string.rs
    {"    #[stable(feature = \"try_reserve\", since = \"1.57.0\")]\n    pub fn try_reserve(&mut self, additional: usize) -> Result<(), TryReserveError> {", "try_reserve",
     {"additional: usize"}, F, "rust"},
    {"    pub fn remove_matches<'a, P>(&'a mut self, pat: P)\n    where\n        P: for<'x> Pattern<'x>,\n    {", "remove_matches",
     {"pat: P"}, F, "rust"},
    {"    pub fn retain<F>(&mut self, mut f: F)\n    where\n        F: FnMut(char) -> bool,\n    {", "retain", {"mut f: F"}, F, "rust"},
    {"    unsafe fn insert_bytes(&mut self, idx: usize, bytes: &[u8]) {", "insert_bytes", {"idx: usize", "bytes: &[u8]"}, F, "rust"},
    {"    #[inline]\n    #[rustc_confusables(\"delete\", \"take\")]\n    pub fn remove(&mut self, idx: usize) -> char {", "remove",
     {"idx: usize"}, F, "rust"},
    {"    pub fn from_utf8_lossy(v: &[u8]) -> Cow<'_, str> {", "from_utf8_lossy", {"v: &[u8]"}, F, "rust"},
    // Rust: the standard library and well-known crates
    {"pub fn longest<'a>(x: &'a str, y: &'a str) -> &'a str {", "longest", {"x: &'a str", "y: &'a str"}, F, "rust"},
    {"pub fn spawn<F, T>(f: F) -> JoinHandle<T>\nwhere\n    F: FnOnce() -> T + Send + 'static,\n    T: Send + 'static,", "spawn",
     {"f: F"}, F, "rust"},
    {"fn map<B, F>(self, f: F) -> Map<Self, F>\nwhere\n    Self: Sized,\n    F: FnMut(Self::Item) -> B,", "map", {"f: F"}, F, "rust"},
    {"pub async fn read_to_string(path: impl AsRef<Path>) -> io::Result<String> {", "read_to_string", {"path: impl AsRef<Path>"}, F, "rust"},
    {"pub const unsafe fn from_raw_parts<'a, T>(data: *const T, len: usize) -> &'a [T] {", "from_raw_parts",
     {"data: *const T", "len: usize"}, F, "rust"},
    {"extern \"C\" fn callback(a: i32) -> i32;", "callback", {"a: i32"}, F, "rust"},
    {"fn into_boxed(self: Box<Self>) -> Box<dyn Any>;", "into_boxed", {}, F, "rust"},
    {"pub(crate) fn parse((x, y): (i32, i32), mut buf: Vec<u8>) -> Option<&'static str>", "parse",
     {"(x, y): (i32, i32)", "mut buf: Vec<u8>"}, F, "rust"},
    // Python: python/cpython Lib/json/__init__.py
    {"def dumps(obj, *, skipkeys=False, ensure_ascii=True, check_circular=True,\n        allow_nan=True, cls=None, indent=None, separators=None,\n        default=None, sort_keys=False, **kw):", "dumps",
     {"obj", "skipkeys=False", "ensure_ascii=True", "check_circular=True", "allow_nan=True", "cls=None", "indent=None", "separators=None", "default=None", "sort_keys=False", "**kw"}, F, "python"},
    {"def detect_encoding(b):", "detect_encoding", {"b"}, F, "python"},
    {"def load(fp, *, cls=None, object_hook=None, parse_float=None,\r\n        parse_int=None, parse_constant=None, object_pairs_hook=None, **kw):", "load",
     {"fp", "cls=None", "object_hook=None", "parse_float=None", "parse_int=None", "parse_constant=None", "object_pairs_hook=None", "**kw"}, F, "python"},
    // Python: the standard library's typed signatures
    {"    def __init__(self, *args, **kwargs):", "__init__", {"*args", "**kwargs"}, F, "python"},
    {"    @classmethod\n    def fromkeys(cls, iterable, value=None):", "fromkeys", {"iterable", "value=None"}, F, "python"},
    {"def run(*popenargs,\n        input=None, capture_output=False, timeout=None, check=False, **kwargs):", "run",
     {"*popenargs", "input=None", "capture_output=False", "timeout=None", "check=False", "**kwargs"}, F, "python"},
    {"async def wait_for(fut, timeout):", "wait_for", {"fut", "timeout"}, F, "python"},
    {"def divmod(x: SupportsDivMod[_T_contra, _T_co], y: _T_contra, /) -> _T_co: ...", "divmod",
     {"x: SupportsDivMod[_T_contra, _T_co]", "y: _T_contra"}, F, "python"},
    {"    def get(self, key: str, default: Optional[str] = None) -> Optional[str]:", "get",
     {"key: str", "default: Optional[str] = None"}, F, "python"},
    {"@app.route(\"/users/<int:user_id>\", methods=[\"GET\", \"POST\"])\ndef show_user(user_id):  # the profile page", "show_user",
     {"user_id"}, F, "python"},
    {"def first[T](xs: list[T], default: T | None = None) -> T | None:", "first", {"xs: list[T]", "default: T | None = None"}, F, "python"},
    // PHP: laravel/framework src/Illuminate/Support/Str.php (an early version, untyped)
    {"    public static function limit($value, $limit = 100, $end = '...')", "limit", {"$value", "$limit = 100", "$end = '...'"}, F, "php"},
    {"    public static function replaceArray($search, array $replace, $subject)\n    {", "replaceArray",
     {"$search", "array $replace", "$subject"}, F, "php"},
    {"    protected static function charsArray()", "charsArray", {}, F, "php"},
    // PHP: Symfony controllers on GitHub
    {"    #[Route('/', name: 'home')]\n    public function index(CategoryRepository $catRepo, ProductRepository $prodRepo): Response", "index",
     {"CategoryRepository $catRepo", "ProductRepository $prodRepo"}, F, "php"},
    {"    #[Route('/ayuda', name: 'app_knowledge_help', methods: ['GET'])]\n    #[Route('/faq', name: 'app_knowledge_faq', methods: ['GET'])]\n    public function publicHelp(Request $request, AppVersion $version): Response", "publicHelp",
     {"Request $request", "AppVersion $version"}, F, "php"},
    {"    #[Route('/figurine/{id}', name: 'app_figurine_show', requirements: ['id' => '\\d+'], methods: ['GET'])]\n    public function show(Figurine $figurine): Response\n    {", "show",
     {"Figurine $figurine"}, F, "php"},
    {"    public function __construct(EntityManagerInterface $entityManager)", "__construct", {"EntityManagerInterface $entityManager"}, F, "php"},
    // PHP: the manual's function synopses
    {"function array_walk(array|object &$array, callable $callback, mixed $arg): bool", "array_walk",
     {"array|object &$array", "callable $callback", "mixed $arg"}, F, "php"},
    {"function sprintf(string $format, mixed ...$values): string", "sprintf", {"string $format", "mixed ...$values"}, F, "php"},
    {"public function __construct(\n    private readonly Connection $connection,\n    protected ?LoggerInterface $logger = null,\n) {}", "__construct",
     {"private readonly Connection $connection", "protected ?LoggerInterface $logger = null"}, F, "php"},
    {"function &getRef(array &$arr) {", "getRef", {"array &$arr"}, F, "php"},
    {"function foo($a, $b) {", "foo", {"$a", "$b"}, F, "php"},
    // JavaScript: nodejs/node lib/path.js (an early version)
    {"function win32SplitPath(filename) {", "win32SplitPath", {"filename"}, F, "javascript"},
    {"var normalizeUNCRoot = function(device) {", "normalizeUNCRoot", {"device"}, F, "javascript"},
    {"win32.resolve = function() {", "win32.resolve", {}, F, "javascript"},
    {"win32.basename = function(path, ext) {", "win32.basename", {"path", "ext"}, F, "javascript"},
    {"posix.relative = function(from, to) {", "posix.relative", {"from", "to"}, F, "javascript"},
    {"function posixSplitPath(filename) {\n  return splitPathRe.exec(filename).slice(1);\n}", "posixSplitPath", {"filename"}, F, "javascript"},
    // JavaScript: React, Express and MDN examples
    {"module.exports = function register(router, ctx) {", "register", {"router", "ctx"}, F, "javascript"},
    {"export default function App({ title, children }) {", "App", {"{ title, children }"}, F, "javascript"},
    {"const add = (a, b) => a + b;", "add", {"a", "b"}, F, "javascript"},
    {"app.get = function(path, ...handlers) {", "app.get", {"path", "...handlers"}, F, "javascript"},
    {"async function fetchJson(url, { method = 'GET', headers = {} } = {}) {", "fetchJson",
     {"url", "{ method = 'GET', headers = {} } = {}"}, F, "javascript"},
    {"function* idGenerator(start = 0, step = 1) {", "idGenerator", {"start = 0", "step = 1"}, F, "javascript"},
    {"  handleClick(event) {", "handleClick", {"event"}, F, "javascript"},
    {"  static async create(options) {", "create", {"options"}, F, "javascript"},
    {"  get fullName()", "fullName", {}, F, "javascript"},
    {"  get fullName() {", "fullName", {}, F, "javascript"},
    {"  #validate(value) {", "#validate", {"value"}, F, "javascript"},
    {"  onChange: function (e) {", "onChange", {"e"}, F, "javascript"},
    {"export const debounce = (fn, wait = 100) => {", "debounce", {"fn", "wait = 100"}, F, "javascript"},
    {"const swap = ([x, y] = [1, 2]) => [y, x];", "swap", {"[x, y] = [1, 2]"}, F, "javascript"},
    // TypeScript: microsoft/vscode src/vs/base/common/strings.ts
    {"export function isFalsyOrWhitespace(str: string | undefined): boolean {", "isFalsyOrWhitespace", {"str: string | undefined"}, F, "typescript"},
    {"export function format(value: string, ...args: any[]): string {", "format", {"value: string", "...args: any[]"}, F, "typescript"},
    {"export function format2(template: string, values: Record<string, unknown>): string {", "format2",
     {"template: string", "values: Record<string, unknown>"}, F, "typescript"},
    {"export function truncate(value: string, maxLength: number, suffix = '…'): string {", "truncate",
     {"value: string", "maxLength: number", "suffix = '…'"}, F, "typescript"},
    {"export function createRegExp(searchString: string, isRegex: boolean, options: RegExpOptions = {}): RegExp {", "createRegExp",
     {"searchString: string", "isRegex: boolean", "options: RegExpOptions = {}"}, F, "typescript"},
    {"export function replaceAsync(str: string, search: RegExp, replacer: (match: string, ...args: any[]) => Promise<string>): Promise<string> {", "replaceAsync",
     {"str: string", "search: RegExp", "replacer: (match: string, ...args: any[]) => Promise<string>"}, F, "typescript"},
    {"export function compareSubstring(a: string, b: string, aStart: number = 0, aEnd: number = a.length, bStart: number = 0, bEnd: number = b.length): number {", "compareSubstring",
     {"a: string", "b: string", "aStart: number = 0", "aEnd: number = a.length", "bStart: number = 0", "bEnd: number = b.length"}, F, "typescript"},
    {"function getPrevCodePoint(str: string, offset: number): number {", "getPrevCodePoint", {"str: string", "offset: number"}, F, "typescript"},
    {"\tconstructor(str: string, offset: number = 0) {", "constructor", {"str: string", "offset: number = 0"}, F, "typescript"},
    {"\tpublic get offset(): number {", "offset", {}, F, "typescript"},
    {"\tpublic setOffset(offset: number): void {", "setOffset", {"offset: number"}, F, "typescript"},
    // TypeScript: Angular services on GitHub
    {"  constructor(private readonly http: HttpClient, private readonly srApiService: SRApiService) {", "constructor",
     {"private readonly http: HttpClient", "private readonly srApiService: SRApiService"}, F, "typescript"},
    {"  async fetchEpisodes(programId: number, page: number, pageSize: number): Promise<EpisodesResult> {", "fetchEpisodes",
     {"programId: number", "page: number", "pageSize: number"}, F, "typescript"},
    {"  findByReclamation(reclamationId: number, includeInternal = false): Observable<ReclamationMessage[]> {", "findByReclamation",
     {"reclamationId: number", "includeInternal = false"}, F, "typescript"},
    {"  async delete(id: string): Promise<void> {", "delete", {"id: string"}, F, "typescript"},
    {"  listTickets(): Observable<Ticket[]> {", "listTickets", {}, F, "typescript"},
    {"  get(courseId: string): Observable<StudyPlanResponse> {", "get", {"courseId: string"}, F, "typescript"},
    {"  public fetchPokemon():void {", "fetchPokemon", {}, F, "typescript"},
    {"  loadWorkers(query: WorkersApiQuery = {}): Observable<WorkersApiData> {", "loadWorkers", {"query: WorkersApiQuery = {}"}, F, "typescript"},
    // TypeScript: React components on GitHub
    {"export default function QuickAddGate({ projectId, gateCount, open, onClose, onSaved }: Props) {", "QuickAddGate",
     {"{ projectId, gateCount, open, onClose, onSaved }: Props"}, F, "typescript"},
    {"export function ParliamentMembersContent({\n  search,\n  findOpen,\n  onFindOpenChange,\n}: Props) {",
     "ParliamentMembersContent", {"{ search, findOpen, onFindOpenChange, }: Props"}, F, "typescript"},
    {"export function Eyebrow({ children, as: Tag = \"p\", surSombre }: Props) {", "Eyebrow",
     {"{ children, as: Tag = \"p\", surSombre }: Props"}, F, "typescript"},
    {"function ReplayLayout({\n  layout = 'topbar',\n  showCrumbs = true,\n  showTimeline = true,\n}: Props) {",
     "ReplayLayout", {"{ layout = 'topbar', showCrumbs = true, showTimeline = true, }: Props"}, F, "typescript"},
    {"export default function About({}: Props) {", "About", {"{}: Props"}, F, "typescript"},
    // TypeScript: lib.d.ts and common library declarations
    {"declare function parseInt(string: string, radix?: number): number;", "parseInt", {"string: string", "radix?: number"}, F, "typescript"},
    {"export function debounce<T extends (...args: any[]) => void>(fn: T, wait?: number): T;", "debounce",
     {"fn: T", "wait?: number"}, F, "typescript"},
    {"export const useToggle = <T,>(initial: T): [T, () => void] => {", "useToggle", {"initial: T"}, F, "typescript"},
    {"export const Button: React.FC<ButtonProps> = ({ label, onClick }) => {", "Button", {"{ label, onClick }"}, F, "typescript"},
    {"  @HostListener('window:resize', ['$event'])\n  onResize(event: UIEvent) {", "onResize", {"event: UIEvent"}, F, "typescript"},
    {"  abstract area(): number;", "area", {}, F, "typescript"},
    {"  private handleError = (error: HttpErrorResponse): Observable<never> => {", "handleError", {"error: HttpErrorResponse"}, F, "typescript"},
    // VB: VB.NET and VBA projects on GitHub
    {"Public Sub D12Ladder(ByVal stepNo As Long, Optional ByVal maxRows As Long = 0, Optional ByVal extraRows As Long = 0)", "D12Ladder",
     {"ByVal stepNo As Long", "Optional ByVal maxRows As Long = 0", "Optional ByVal extraRows As Long = 0"}, P, "vb"},
    {"Public Sub DecrementNumericUpDownCounter(ByVal sId As String,\n                                         ByVal lValue As Long,\n                                Optional ByVal dictAdditionalInfo As Dictionary)", "DecrementNumericUpDownCounter",
     {"ByVal sId As String", "ByVal lValue As Long", "Optional ByVal dictAdditionalInfo As Dictionary"}, P, "vb"},
    {"    Public Sub cPrint(ByVal Message As String, Optional ByVal color As Integer = 15)", "cPrint",
     {"ByVal Message As String", "Optional ByVal color As Integer = 15"}, P, "vb"},
    {"        Public Function GetBridByFlownameStepno(ByVal sFlowname As String,\n                                                ByVal sStepNo As String,\n                                                Optional ByVal sStaffid As String = \"\") As DataTable", "GetBridByFlownameStepno",
     {"ByVal sFlowname As String", "ByVal sStepNo As String", "Optional ByVal sStaffid As String = \"\""}, F, "vb"},
    {"        Protected Sub GotNewAlternateNamesString(ByVal AlternateNames As String, _\r\n        Optional ByVal SenderIsGenericTemplateForm As Boolean = False)", "GotNewAlternateNamesString",
     {"ByVal AlternateNames As String", "Optional ByVal SenderIsGenericTemplateForm As Boolean = False"}, P, "vb"},
    {"        Public Sub New(Optional ByVal state As roDataLinkState = Nothing)", "New",
     {"Optional ByVal state As roDataLinkState = Nothing"}, P, "vb"},
    {"    Public Overridable Function GetMembers(Optional ByVal AsOfDate As DateTime = Nothing) As IEnumerable(Of TAggregateIdentifier)", "GetMembers",
     {"Optional ByVal AsOfDate As DateTime = Nothing"}, F, "vb"},
    {"    Public Function getPlayers()", "getPlayers", {}, F, "vb"},
    // VB: Windows API declarations and Office VBA as Microsoft documents them
    {"Private Declare PtrSafe Function GetTickCount Lib \"kernel32\" () As Long", "GetTickCount", {}, F, "vb"},
    {"Public Declare Function MessageBox Lib \"user32\" Alias \"MessageBoxA\" (ByVal hwnd As Long, _\n    ByVal lpText As String, ByVal lpCaption As String, ByVal wType As Long) As Long", "MessageBox",
     {"ByVal hwnd As Long", "ByVal lpText As String", "ByVal lpCaption As String", "ByVal wType As Long"}, F, "vb"},
    {"Private Sub Workbook_BeforeClose(Cancel As Boolean)", "Workbook_BeforeClose", {"Cancel As Boolean"}, P, "vb"},
    {"Function CalcSum(ParamArray args() As Variant) As Double  ' adds them all", "CalcSum", {"ParamArray args() As Variant"}, F, "vb"},
    {"Private Sub Button1_Click(sender As Object, e As EventArgs) Handles Button1.Click", "Button1_Click",
     {"sender As Object", "e As EventArgs"}, P, "vb"},
    {"<Extension()>\nPublic Function ToTitle(ByVal s As String) As String", "ToTitle", {"ByVal s As String"}, F, "vb"},
    {"Public Shared Function Create(Of T As New)(ByRef target As T) As T", "Create", {"ByRef target As T"}, F, "vb"},
    // Delphi: danieleteti/delphimvcframework sources/MVCFramework.Commons.pas
    {"    function DoWithLockTimeout(const AAction: TProc; const ATimeOut: UInt32): TWaitResult;", "DoWithLockTimeout",
     {"const AAction: TProc", "const ATimeOut: UInt32"}, F, "delphi"},
    {"    procedure CheckNotFreezed; inline;", "CheckNotFreezed", {}, P, "delphi"},
    {"    destructor Destroy; override;", "Destroy", {}, P, "delphi"},
    {"    function GetQualifiedActionName(): string; virtual; abstract;", "GetQualifiedActionName", {}, F, "delphi"},
    {"    class function GuidFromString(const AGuidStr: string): TGUID; static;", "GuidFromString", {"const AGuidStr: string"}, F, "delphi"},
    {"function URLSafeB64encode(const Value: string; IncludePadding: Boolean; AByteEncoding: IIdTextEncoding = nil)\n  : string; overload;", "URLSafeB64encode",
     {"const Value: string", "IncludePadding: Boolean", "AByteEncoding: IIdTextEncoding = nil"}, F, "delphi"},
    {"procedure Base64StringToFile(const aBase64String, AFileName: string; const aOverwrite: Boolean = False);", "Base64StringToFile",
     {"const aBase64String: string", "const AFileName: string", "const aOverwrite: Boolean = False"}, P, "delphi"},
    {"    class procedure OnParseAuthentication(AContext: TIdContext; const AAuthType, AAuthData: string; var VUsername,\n      VPassword: string; var VHandled: Boolean);", "OnParseAuthentication",
     {"AContext: TIdContext", "const AAuthType: string", "const AAuthData: string", "var VUsername: string", "var VPassword: string", "var VHandled: Boolean"}, P, "delphi"},
    {"constructor EMVCException.Create(const AMsg, ADetailedMessage: string;\n  const AAppErrorCode, AHTTPErrorCode: UInt16);", "EMVCException.Create",
     {"const AMsg: string", "const ADetailedMessage: string", "const AAppErrorCode: UInt16", "const AHTTPErrorCode: UInt16"}, P, "delphi"},
    {"constructor EMVCException.CreateFmt(const AMsg: string; const AArgs: array of const);", "EMVCException.CreateFmt",
     {"const AMsg: string", "const AArgs: array of const"}, P, "delphi"},
    {"procedure TMVCStringObjectDictionary<T>.Add(const Name: string; Value: T);", "TMVCStringObjectDictionary.Add",
     {"const Name: string", "Value: T"}, P, "delphi"},
    {"function TMVCStringDictionary.GetEnumerator: TDictionary<string, string>.TPairEnumerator;", "TMVCStringDictionary.GetEnumerator",
     {}, F, "delphi"},
    {"function TMVCConfig.Keys: TArray<string>;", "TMVCConfig.Keys", {}, F, "delphi"},
    // Delphi: the VCL and RTL as Embarcadero documents them
    {"procedure TForm1.Button1Click(Sender: TObject);", "TForm1.Button1Click", {"Sender: TObject"}, P, "delphi"},
    {"function StrToIntDef(const S: string; Default: Integer): Integer; overload;", "StrToIntDef",
     {"const S: string", "Default: Integer"}, F, "delphi"},
    {"procedure FreeAndNil(var Obj); inline;", "FreeAndNil", {"var Obj"}, P, "delphi"},
    {"function TryStrToInt(const S: string; out Value: Integer): Boolean; { never raises }", "TryStrToInt",
     {"const S: string", "out Value: Integer"}, F, "delphi"},
    {"constructor Create(AOwner: TComponent); override;", "Create", {"AOwner: TComponent"}, P, "delphi"},
    {"function MessageBox(hWnd: HWND; lpText, lpCaption: PChar; uType: UINT): Integer; stdcall; external user32 name 'MessageBoxW';", "MessageBox",
     {"hWnd: HWND", "lpText: PChar", "lpCaption: PChar", "uType: UINT"}, F, "delphi"},
};
// clang-format on

std::string Repeat(const std::string& s, int times) {
    std::string out;
    for (int i = 0; i < times; ++i)
        out += s;
    return out;
}

// Text a person may select and call Inkwarden on that is no single heading: filling the
// function template from it would be wrong.
// clang-format off
const std::string kNotHeadings[] = {
    // calls and statements
    "foo(bar, baz);",
    "x = compute(a, b)",
    "return foo(a);",
    "obj.method(a, b);",
    "await fetch(url)",
    "foo(a, b)",
    "new Foo(a, b)",
    "printf(\"%d\\n\", x);",
    "std::cout << format(a, b) << std::endl;",
    "System.out.println(String.format(\"%s\", name));",
    "this.setState({ open: false });",
    "super(props);",
    "result = self.process(data, retries=3)",
    "list.sort(key=lambda x: x[1])",
    "throw new ArgumentException(msg);",
    "yield return Convert(item);",
    "auto it = std::find(v.begin(), v.end(), 42);",
    "Foo* foo = new Foo(1, 2);",
    "QObject::connect(button, &QPushButton::clicked, this, &Window::close);",
    "$this->assertEquals($a, $b);",
    "fmt.Println(\"hello\", name)",
    "let v: Vec<i32> = xs.iter().map(|x| x * 2).collect();",
    "Call DoWork(a, b)",
    "MsgBox(\"Done\", vbOKOnly)",
    "Result := StrToInt(Edit1.Text);",
    "ShowMessage('Hello, world');",
    // control flow
    "if (x > 0) {",
    "} else if (a == b) {",
    "while (i < n) {",
    "for (int i = 0; i < n; i++) {",
    "switch (kind) {",
    "catch (IOException e) {",
    "} catch (const std::exception& e) {",
    "foreach (var x in xs)",
    "using (var stream = File.OpenRead(path))",
    "lock (_sync) {",
    "synchronized (this) {",
    "elif x > 3:",
    "with open(path, encoding=\"utf-8\") as f:",
    "If x > 0 Then",
    "for i := 0; i < n; i++ {",
    // macros and preprocessor lines
    "DECLARE_HANDLER(x, y)",
    "EXPORT_SYMBOL(foo);",
    "Q_DECLARE_METATYPE(MyStruct)",
    "#define MAX(a, b) ((a) > (b) ? (a) : (b))",
    "list_for_each_entry(pos, head, member) {",
    "BOOST_AUTO_TEST_CASE(my_test)",
    "TEST(StringTest, HandlesEmpty) {", "static SIMPLE_DEV_PM_OPS(svs_pm_ops, svs_suspend, svs_resume);",
    "ASSERT_EQ(a, b);",
    "println!(\"{}\", x);",
    // variables and initialisations that look like declarations
    "int foo(a, b);",
    "int x(5);",
    "std::string s(buf, len);",
    "Widget w(a, b);",
    "Color c(Red);",
    "std::vector<int> v(n, 0);",
    "int (*fp)(int);",
    "int (*handlers[4])(int);",
    "x = (*pick_op(c))(1, 2);",
    "(*handler)(sig);",
    "UNUSED(argc);",
    "auto f = [](int a, int b) { return a + b; };",
    "var x = Foo(a, b);",
    "const int n = count(a, b);",
    "typedef int (*compare_fn)(const void *, const void *);",
    "using Handler = std::function<void(int)>;",
    "public delegate void Notify(string message);",
    // types, not functions
    "class Foo : public Bar {",
    "struct Point { int x; int y; };",
    "enum Color { Red, Green };",
    "interface Shape { area(): number; }",
    "public record Person(string Name, int Age);",
    "class Foo(Base):",
    "type Point struct {",
    "impl Display for Point {",
    "public class MainActivity extends AppCompatActivity {",
    "Public Class Form1",
    "TForm1 = class(TForm)",
    "export class AppComponent implements OnInit {",
    // lambdas and functions without a name, passed along
    "items.forEach((x) => {",
    "setTimeout(function() {",
    "arr.map(x => x * 2)",
    "lambda x: x + 1",
    "go func(a int) {",
    "button.addEventListener('click', (e) => {",
    "export default function (req, res) {",
    "$(document).ready(function () {",
    "|a, b| a + b",
    // bodies, partial selections and more than one heading
    "void foo(int a) {\n    int x = 1;",
    "int a(); int b();",
    "void a() {}\nvoid b() {}",
    "def foo(a, b):\n    return a + b",
    "Public Sub Foo()\n    Dim x As Integer\nEnd Sub",
    "procedure TForm1.FormCreate(Sender: TObject);\nbegin\n  Caption := 'x';\nend;",
    "void foo(int a,",
    "int foo(int a) { return a; } int bar(int b) { return b; }",
    "func a() {}\nfunc b() {}",
    // other kinds of text
    "SELECT max(a) FROM t",
    "SELECT count(*) FROM users WHERE id = 1;",
    "CREATE FUNCTION add(a INT, b INT) RETURNS INT",
    "func _ready() -> void:", "func greet(person: String) {", "fun sum(a: Int, b: Int): Int {", "https://example.com/api/items(42)?expand=owner",
    "git commit -m \"fix(parser): handle tabs\"",
    "ls -la | grep foo(",
    "docker run -p 8080:80 nginx",
    "{\"name\": \"foo(a, b)\", \"x\": 1}",
    "This function (described above) returns the sum.", "Please call me (John Smith)", "调用 函数(参数 名称)",
    "函数(参数) {",
    "Call me (maybe) tomorrow.",
    "计算两个数的和(加法)",
    "这是一个函数(参数)",
    "参数 (a, b) 都是整数。",
    "",
    "   \n\t ",
    "()",
    "(a, b)",
    "foo",
    ";",
    "{}",
    std::string("int f(int a)\0", 13),
    "int f(int \xff a);",
    // thousands of names sharing one long type, which repeating would make hundreds of megabytes
    "func f(" + Repeat("a, ", 10000) + "x " + std::string(30000, 'T') + ")",
    "procedure P(" + Repeat("a, ", 10000) + "x: " + std::string(30000, 'T') + ");",
};
// clang-format on

class SignatureCorpus : public ::testing::TestWithParam<Heading> {};

// Whether `name` stands in `entry` as a word of its own, not inside a longer one.
bool IsWordIn(const std::string& name, const std::string& entry) {
    auto wordByte = [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$';
    };
    for (std::size_t at = entry.find(name); at != std::string::npos; at = entry.find(name, at + 1)) {
        const std::size_t end = at + name.size();
        if ((at == 0 || !wordByte(entry[at - 1])) && (end == entry.size() || !wordByte(entry[end])))
            return true;
    }
    return false;
}

TEST_P(SignatureCorpus, ReadsNameParametersKindAndLanguage) {
    const Heading& h = GetParam();
    const std::optional<Signature> s = ReadSignature(h.text);
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->name, h.name);
    EXPECT_EQ(s->parameters, h.parameters);
    EXPECT_EQ(s->procedure, h.procedure);
    EXPECT_EQ(s->language, h.language);
    ASSERT_EQ(s->names.size(), s->parameters.size());
    for (std::size_t k = 0; k < s->names.size(); ++k)
        EXPECT_TRUE(s->names[k].empty() || IsWordIn(s->names[k], s->parameters[k]))
            << s->names[k] << " in " << s->parameters[k];
}

// Each parameter's own name, of the kinds of entry that hide it or have none.
// clang-format off
const struct {
    std::string text;
    std::vector<std::string> names;
} kParameterNames[] = {
    {"void qsort(void *base, size_t nmemb, size_t size,\n           int (*compar)(const void *, const void *));",
     {"base", "nmemb", "size", "compar"}},
    {"int log(const std::map<int, int>& m = {}, Flags = {}, std::nullptr_t, const char *fmt, ...);", {"m", "", "", "fmt", ""}},
    {"LRESULT CALLBACK WndProc(HWND, UINT, WPARAM wParam, LPARAM lParam);", {"", "", "wParam", "lParam"}},
    {"unsigned long long hash(unsigned __int64, long id, unsigned n, int (&a)[3]);", {"", "id", "n", "a"}},
    {"public static void main(final String[] args, @NonNull Object... rest)", {"args", "rest"}},
    {"public bool TryGet(this IDictionary<K, V> d, [MaybeNullWhen(false)] out TValue value)", {"d", "value"}},
    {"def f(self, text: str, *args: int, key=None, **kw) -> None:", {"text", "args", "key", "kw"}},
    {"func (s *S) Do(w http.ResponseWriter, a, b int, opts ...Option) error {", {"w", "a", "b", "opts"}},
    {"func Sum(int, ...int) int", {"", ""}},
    {"fn f(&self, (a, b): (i32, i32), mut buf: Vec<u8>, _: u8, r#type: &str) {", {"", "buf", "", "r#type"}},
    {"public function show(?Figurine &$f, int ...$rest): Response", {"$f", "$rest"}},
    {"Function CalcSum(ByVal a As Integer, ParamArray args() As Variant) As Double", {"a", "args"}},
    {"procedure P(const A, B: string; var C);", {"A", "B", "C"}},
    {"function f({a, b}, [c], ...rest) {", {"", "", "rest"}},
    {"  constructor(private readonly http: HttpClient, @Inject(X) cfg?: Config) {", {"http", "cfg"}},
    {"int cmd_version(int argc, const char **argv, const char *prefix, struct repository *repo UNUSED)",
     {"argc", "argv", "prefix", "repo"}},
    {"static int stats_show(struct seq_file *s, void *data __maybe_unused)", {"s", "data"}},
    {"public static void log(@NonNull String @NonNull ... names)", {"names"}},
};
// clang-format on

TEST(Signature, NamesEachParameter) {
    for (const auto& row : kParameterNames) {
        const std::optional<Signature> s = ReadSignature(row.text);
        ASSERT_TRUE(s.has_value()) << row.text;
        EXPECT_EQ(s->names, row.names) << row.text;
    }
}

INSTANTIATE_TEST_SUITE_P(Headings, SignatureCorpus, ::testing::ValuesIn(kHeadings));

class NotASignature : public ::testing::TestWithParam<std::string> {};

TEST_P(NotASignature, GivesNothing) {
    EXPECT_FALSE(ReadSignature(GetParam()).has_value());
}

INSTANTIATE_TEST_SUITE_P(OtherText, NotASignature, ::testing::ValuesIn(kNotHeadings));

// A parameter list long enough to bring the text to `bytes`.
std::string LongHeading(std::size_t bytes) {
    std::string s = "void f(int a0";
    for (int i = 1; s.size() + 16 < bytes; ++i)
        s += ",\n       int a" + std::to_string(i);
    s += ");";
    s.append(bytes - s.size(), ' ');
    return s;
}

TEST(Signature, ReadsUpToTheSizeLimitAndRefusesLongerText) {
    const struct {
        std::size_t bytes;
        bool read;
    } cases[] = {{kMaxSignatureText, true}, {kMaxSignatureText + 1, false}};
    for (const auto& c : cases) {
        const std::optional<Signature> s = ReadSignature(LongHeading(c.bytes));
        EXPECT_EQ(s.has_value(), c.read) << c.bytes;
        if (s) {
            EXPECT_EQ(s->parameters.back(), "int a" + std::to_string(s->parameters.size() - 1));
        }
    }
}

} // namespace
} // namespace inkwarden
