#include "core/plan_fields.h"

namespace inkwarden {

TemplateFields PrefilledFields(const TemplateDef& templ, const Prefills& prefills) {
    TemplateFields fields;
    for (std::size_t i = 0; i < templ.fields.size() && i < fields.size(); ++i) {
        switch (templ.fields[i].prefill) {
        case Prefill::Author:
            fields[i] = prefills.author;
            break;
        case Prefill::Date:
            fields[i] = prefills.today;
            break;
        case Prefill::File:
            fields[i] = prefills.file;
            break;
        default:
            break;
        }
    }
    return fields;
}

TemplateFields PlanFields(const FillPlan& plan, const TemplateDef& templ, const Prefills& prefills) {
    TemplateFields fields = PrefilledFields(templ, prefills);
    for (std::size_t i = 0; i < plan.fields.size() && i < fields.size(); ++i)
        if (plan.fields[i])
            fields[i] = *plan.fields[i];
    if (plan.todayField >= 0 && plan.todayField < static_cast<int>(fields.size()))
        fields[static_cast<std::size_t>(plan.todayField)] = prefills.today;
    return fields;
}

} // namespace inkwarden
