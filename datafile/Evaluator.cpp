#include "datafile/Evaluator.h"

#include "datafile/Statement.h"
#include "datafile/ValueExpr.h"

#include <utility>

namespace {

Assignment Text(std::string lead, std::string text) {
    Assignment a;
    a.name = VariableName(lead);
    a.lead = std::move(lead);
    a.isText = true;
    a.text = std::move(text);
    return a;
}

Assignment Number(std::string lead, uint32_t number) {
    Assignment a;
    a.name = VariableName(lead);
    a.lead = std::move(lead);
    a.number = number;
    return a;
}

} // namespace

void EvaluateSection(const std::string& section, const ValueSources& sources,
                     const std::function<void(Assignment&&)>& each) {
    // Each statement is copied once and the scan moves on from its ";", so
    // the cost grows with the length of the section, not its square.
    size_t end;
    for (size_t from = 0; (end = section.find(';', from)) != std::string::npos; from = end + 1) {
        Statement statement(section.substr(from, end - from));
        switch (statement.Form()) {
        case StatementForm::UtilityVersion:
            each(Text(statement.Head(), sources.productVersion()));
            break;
        case StatementForm::PCI:
            each(Number(statement.Head(), ValueExpr(statement.Value()).Evaluate(*sources.pci)));
            break;
        case StatementForm::Driver: {
            // NameVersion and NameName, each behind the statement's leading text.
            std::string description, name = statement.DriverName();
            std::string version = sources.driverQuery(statement.DriverClass(),
                                                      statement.DriverHardwareId(), description);
            each(Text(name + "Version=", version));
            each(Text(name + "Name=", description));
            break;
        }
        case StatementForm::Other:
            break;
        }
    }
}

std::string EvaluateVariables(const std::string& section, const ValueSources& sources) {
    std::string out;
    out.reserve(section.size());
    EvaluateSection(section, sources, [&out](Assignment&& a) { AppendAssignment(out, a); });
    return out;
}
