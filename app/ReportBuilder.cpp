#include "app/ReportBuilder.h"

#include "app/InlinePage.h"
#include "app/Json.h"
#include "app/LaunchAndWait.h"
#include "datafile/DataFile.h"
#include "datafile/FileVersionInfo.h"
#include "datafile/Numbers.h"
#include "datafile/QueryDriverVersion.h"
#include "datafile/ScriptString.h"
#include "datafile/Statement.h"
#include "datafile/ValueExpr.h"
#include "errors/Except.h"
#include "pci/PCI_Base.h"
#include "rc/RcLdr.h"
#include "win/ExistingFile.h"
#include "win/Paths.h"
#include "win/ReplacingFile.h"
#include "win/TextEncoding.h"

#include <windows.h>

#include <utility>
#include <vector>

namespace {

const char inputFile[] = "input.txt";
const char outputFile[] = "output.hta";

// `name` in the current directory. False when the directory can't be had or
// the path does not fit a MAX_PATH buffer: then nothing may be written.
bool CurrentDirPath(const char* name, std::string& path) {
    std::string dir = GetCurrentDir();
    if (dir.empty())
        return false;
    path = JoinPath(dir, name);
    return path.size() < MAX_PATH;
}

// The resource's bytes; none when it was found without data.
std::string LoadText(RcLdr& loader, LPCSTR type, LPCSTR name) {
    RcRes res;
    loader.Load(res, type, name);
    const char* data = reinterpret_cast<const char*>(res.Data());
    return data ? std::string(data, res.Size()) : std::string();
}

void ShowWriteError() {
    MessageBoxA(nullptr, "COULDN'T WRITE OUTPUT", "ERROR", MB_OK);
}

// Read afresh for every statement that asks.
std::string OwnProductVersion() {
    FileVersionInfo info(nullptr);
    const char* version = info.QueryString("ProductVersion");
    return version ? version : "";
}

std::string InstalledDriverVersion(const std::string& className, const std::string& hardwareId,
                                   std::string& description) {
    return QueryDriverVersion(className, hardwareId, description);
}

std::string ComputerName() {
    char name[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD size = sizeof name;
    return GetComputerNameA(name, &size) ? std::string(name, size) : std::string();
}

// The values as the report's JSON document has them: texts in UTF-8.
std::vector<JsonValue> JsonValues(const std::vector<Assignment>& assignments) {
    std::vector<JsonValue> values;
    for (const Assignment& a : assignments) {
        JsonValue v;
        v.name = a.name;
        v.isNumber = !a.isText;
        v.number = a.number;
        v.text = AnsiToUtf8(a.text);
        values.push_back(std::move(v));
    }
    return values;
}

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

ReportBuilder::ReportBuilder(RcLdr* loader, PCI_Base* pci)
    : ReportBuilder(loader, pci, InstalledDriverVersion, OwnProductVersion) {}

ReportBuilder::ReportBuilder(RcLdr* loader, PCI_Base* pci, DriverQuery driverQuery,
                             ProductVersionQuery productVersion)
    : loader(loader), pci(pci), driverQuery(std::move(driverQuery)),
      productVersion(std::move(productVersion)) {}

void ReportBuilder::Evaluate(const std::string& section,
                             const std::function<void(Assignment&&)>& each) {
    // Each statement is copied once and the scan moves on from its ";", so
    // the cost grows with the length of the section, not its square.
    size_t end;
    for (size_t from = 0; (end = section.find(';', from)) != std::string::npos; from = end + 1) {
        Statement statement(section.substr(from, end - from));
        switch (statement.Form()) {
        case StatementForm::UtilityVersion:
            each(Text(statement.Head(), productVersion()));
            break;
        case StatementForm::PCI:
            each(Number(statement.Head(), ValueExpr(statement.Value()).Evaluate(*pci)));
            break;
        case StatementForm::Driver: {
            // NameVersion and NameName, each behind the statement's leading text.
            std::string description, name = statement.DriverName();
            std::string version =
                driverQuery(statement.DriverClass(), statement.DriverHardwareId(), description);
            each(Text(name + "Version=", version));
            each(Text(name + "Name=", description));
            break;
        }
        case StatementForm::Other:
            break;
        }
    }
}

std::vector<Assignment> ReportBuilder::Evaluate(const std::string& section) {
    std::vector<Assignment> all;
    Evaluate(section, [&all](Assignment&& a) { all.push_back(std::move(a)); });
    return all;
}

std::string ReportBuilder::EvaluateVariables(std::string section) {
    std::string out;
    out.reserve(section.size());
    Evaluate(section, [&out](Assignment&& a) { AppendAssignment(out, a); });
    return out;
}

bool ReportBuilder::MakeInputFile(bool remove) {
    input.Delete();
    if (remove)
        return true;
    std::string path;
    if (!CurrentDirPath(inputFile, path))
        return false;
    DataFileSections file = SplitDataFile(LoadText(*loader, "DATAFILE", "INPUT_FILE"));
    // Only an earlier run's input.txt may be replaced: it ends with our script.
    ExistingFile old(path);
    if (!old.Absent() && !old.EndsWith(file.script, false))
        return false;
    std::string text = EvaluateVariables(file.variables) + file.script;
    return old.Remove() && input.Create(path, text);
}

bool ReportBuilder::Export(const std::string& path, ExportFormat format,
                           const std::function<void()>& hardwareRead) {
    DataFileSections file = SplitDataFile(LoadText(*loader, "DATAFILE", "INPUT_FILE"));
    std::string page =
        format == ExportFormat::Page ? LoadText(*loader, "HTMLFILE", "OUTPUT_FILE") : std::string();
    JsonReportHead head;
    head.access = pci->AccessName();
    std::vector<Assignment> assignments = Evaluate(file.variables);
    pci = nullptr;
    if (hardwareRead)
        hardwareRead();

    std::string report;
    if (format == ExportFormat::Json) {
        SYSTEMTIME now;
        GetSystemTime(&now);
        head.version = AnsiToUtf8(productVersion());
        head.computer = AnsiToUtf8(ComputerName());
        head.time = UtcTimestamp(now);
        report = JsonReport(head, JsonValues(assignments));
    } else {
        report = ReportPage(page, assignments, file.script);
    }
    return WriteReplacing(path, report);
}

bool ReportBuilder::Run(const std::function<void()>& hardwareRead) {
    // Both paths must fit before anything is written.
    std::string path;
    if (!CurrentDirPath(outputFile, path)) {
        ShowWriteError();
        return false;
    }
    // Judged, and held unchanged, before input.txt is written: only an
    // earlier run's page, the template itself, may be replaced.
    std::string page = LoadText(*loader, "HTMLFILE", "OUTPUT_FILE");
    ExistingFile old(path);
    if ((!old.Absent() && !old.EndsWith(page, true)) || !MakeInputFile(false)) {
        ShowWriteError();
        return false;
    }
    // Nothing of the hardware access (a driver, its service and file) may
    // outlast the reading, let alone stay while the report is open.
    pci = nullptr;
    if (hardwareRead)
        hardwareRead();
    NewFile shown;
    if (!old.Remove() || !shown.Create(path, page)) {
        MakeInputFile(true);
        ShowWriteError();
        return false;
    }

    // The host comes from the system directory only: a program of that name
    // beside us or in the current directory must not run in its place.
    std::string host = SystemFile("mshta.exe");
    std::string line = "\"" + host + "\" \"" + path + "\"";
    std::vector<char> commandLine(line.begin(), line.end());
    commandLine.push_back('\0');
    bool shownToUser =
        !host.empty() && LaunchAndWait(commandLine.data(), SW_SHOW, 0, 0) != 0xFFFFFFFF;

    shown.Delete();
    MakeInputFile(true);
    if (!shownToUser)
        throw Except_BadExec("ReportBuilder::Run", "mshta.exe");
    return true;
}
