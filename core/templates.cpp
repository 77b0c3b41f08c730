#include "core/remark.h"

#include <algorithm>
#include <utility>

// The template table: the built-ins and the templates of one's own. Apart from the block
// assembly, which is compiled for speed: this is built once and looked up.
namespace inkwarden {

namespace {

TemplateDef Builtin(int code, const char* name, std::vector<TemplateField> fields) {
    return {code, name, std::move(fields)};
}

const std::vector<TemplateDef>& BuiltinTemplates() {
    static const std::vector<TemplateDef> templates = {
        Builtin(0, "函数说明",
                {
                    {"开发人员：", false, Prefill::Author},
                    {"编写时间：", false, Prefill::Date},
                    {"函数名称：", false, Prefill::Name},
                    {"参数说明：", true, Prefill::Params},
                    {"功能说明：", true, Prefill::None},
                }),
        Builtin(1, "过程说明",
                {
                    {"开发人员：", false, Prefill::Author},
                    {"编写时间：", false, Prefill::Date},
                    {"过程名称：", false, Prefill::Name},
                    {"参数说明：", true, Prefill::Params},
                    {"功能说明：", true, Prefill::None},
                }),
        Builtin(2, "版权说明",
                {
                    {"版权说明：", true, Prefill::Author},
                    {"工程名称：", false, Prefill::None},
                    {"文件名：", false, Prefill::File},
                    {"目的：", false, Prefill::None},
                    {"更新说明:", true, Prefill::None},
                }),
        Builtin(3, "文件头标识",
                {
                    {"开发人员：", false, Prefill::Author},
                    {"当前版本：", false, Prefill::None},
                    {"创建时间：", false, Prefill::Date},
                    {"修改时间：", false, Prefill::None},
                    {"功能说明：", true, Prefill::None},
                }),
    };
    return templates;
}

// Kept sorted by code, one row per code.
std::vector<TemplateDef> ownTemplates;

} // namespace

void SetOwnTemplates(std::vector<TemplateDef> rows) {
    rows.erase(std::remove_if(rows.begin(), rows.end(),
                              [](const TemplateDef& row) {
                                  return row.code < kFirstOwnTemplate || row.code > kLastOwnTemplate ||
                                         row.name.empty() || row.fields.empty();
                              }),
               rows.end());
    for (TemplateDef& row : rows)
        if (row.fields.size() > static_cast<std::size_t>(kFieldsPerTemplate))
            row.fields.resize(kFieldsPerTemplate);
    InCodeOrderFirstKept(rows);
    ownTemplates = std::move(rows);
}

const std::vector<TemplateDef>& OwnTemplates() {
    return ownTemplates;
}

const TemplateDef* FindTemplate(int code) {
    if (code >= 0 && code < kTemplateCount)
        return &BuiltinTemplates()[static_cast<std::size_t>(code)];
    const auto row = std::lower_bound(ownTemplates.begin(), ownTemplates.end(), code,
                                      [](const TemplateDef& r, int c) { return r.code < c; });
    return row != ownTemplates.end() && row->code == code ? &*row : nullptr;
}

const TemplateField& TemplateFieldAt(int kind, int line) {
    static const TemplateField kNoField;
    const TemplateDef* templ = FindTemplate(kind);
    if (!templ || line < 0 || line >= static_cast<int>(templ->fields.size()))
        return kNoField;
    return templ->fields[static_cast<std::size_t>(line)];
}

} // namespace inkwarden
