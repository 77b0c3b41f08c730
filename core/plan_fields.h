// The field texts a block is built from: a template's prefilled fields, and the same after
// a fill by a plan. The window and the command line build from these alike.
#pragma once

#include "core/fill.h"
#include "core/remark.h"

#include <string>

namespace inkwarden {

// What fills a field before anyone types in it.
struct Prefills {
    std::string author, today, file;
};

// The fields of `templ` as they start: the author, today and the file's name where the
// template asks for them, every other field empty.
TemplateFields PrefilledFields(const TemplateDef& templ, const Prefills& prefills);

// The fields after a fill by `plan` (of template `templ`): each field the plan gives a
// text holds it, the others keep their prefilled text, and the plan's today field today.
TemplateFields PlanFields(const FillPlan& plan, const TemplateDef& templ, const Prefills& prefills);

} // namespace inkwarden
