#include "app/ReportBuilder.h"

#include "datafile/FileVersionInfo.h"
#include "datafile/Numbers.h"
#include "datafile/QueryDriverVersion.h"
#include "datafile/Statement.h"
#include "datafile/ValueExpr.h"

namespace {

// A double quote, the text, a double quote and ";".
void AppendQuoted(std::string& out, const std::string& text) {
    out += '"';
    out += text;
    out += "\";";
}

void AppendUtilityVersion(std::string& out, const Statement& statement) {
    // Read afresh for every such statement.
    FileVersionInfo info(nullptr);
    const char* version = info.QueryString("ProductVersion");
    out += statement.Head();
    AppendQuoted(out, version ? version : "");
}

void AppendPCI(std::string& out, const Statement& statement, PCI_Base& pci) {
    uint32_t value = ValueExpr(statement.Value()).Evaluate(pci);
    out += statement.Head();
    out += FormatHex(value);
    out += ';';
}

// Two assignments, NameVersion and NameName, each behind the statement's
// leading text.
void AppendDriver(std::string& out, const Statement& statement) {
    std::string description;
    std::string version =
        QueryDriverVersion(statement.DriverClass(), statement.DriverHardwareId(), description);
    std::string name = statement.DriverName();
    out += name;
    out += "Version=";
    AppendQuoted(out, version);
    out += name;
    out += "Name=";
    AppendQuoted(out, description);
}

} // namespace

ReportBuilder::ReportBuilder(RcLdr* loader, PCI_Base* pci) : loader(loader), pci(pci) {}

std::string ReportBuilder::EvaluateVariables(std::string section) {
    std::string out;
    out.reserve(section.size());
    // Each statement is copied once and the scan moves on from its ";", so
    // the cost grows with the length of the section, not its square.
    size_t end;
    for (size_t from = 0; (end = section.find(';', from)) != std::string::npos; from = end + 1) {
        Statement statement(section.substr(from, end - from));
        switch (statement.Form()) {
        case StatementForm::UtilityVersion:
            AppendUtilityVersion(out, statement);
            break;
        case StatementForm::PCI:
            AppendPCI(out, statement, *pci);
            break;
        case StatementForm::Driver:
            AppendDriver(out, statement);
            break;
        case StatementForm::Other:
            break;
        }
    }
    return out;
}
