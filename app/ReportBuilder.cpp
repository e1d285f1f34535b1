#include "app/ReportBuilder.h"

#include "app/InlinePage.h"
#include "app/Json.h"
#include "app/LaunchAndWait.h"
#include "datafile/DataFile.h"
#include "datafile/FileVersionInfo.h"
#include "datafile/QueryDriverVersion.h"
#include "errors/Except.h"
#include "pci/PCI_Base.h"
#include "rc/IconFile.h"
#include "rc/RcLdr.h"
#include "win/NewFile.h"
#include "win/Paths.h"
#include "win/ReplacingFile.h"
#include "win/ReportFolder.h"
#include "win/TextEncoding.h"

#include <windows.h>

#include <utility>
#include <vector>

namespace {

// The names the page and its script know each other by; the page names its
// icon, too.
const char inputFile[] = "input.txt";
const char outputFile[] = "output.hta";
const char iconFile[] = "SysReport.ico";

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

} // namespace

ReportBuilder::ReportBuilder(RcLdr* loader, PCI_Base* pci)
    : ReportBuilder(loader, pci, InstalledDriverVersion, OwnProductVersion) {}

ReportBuilder::ReportBuilder(RcLdr* loader, PCI_Base* pci, DriverQuery driverQuery,
                             ProductVersionQuery productVersion)
    : loader(loader), sources{pci, std::move(driverQuery), std::move(productVersion)} {}

void ReportBuilder::Evaluate(const std::string& section,
                             const std::function<void(Assignment&&)>& each) {
    EvaluateSection(section, sources, each);
}

std::vector<Assignment> ReportBuilder::Evaluate(const std::string& section) {
    std::vector<Assignment> all;
    Evaluate(section, [&all](Assignment&& a) { all.push_back(std::move(a)); });
    return all;
}

std::string ReportBuilder::EvaluateVariables(const std::string& section) {
    return ::EvaluateVariables(section, sources);
}

bool ReportBuilder::Export(const std::string& path, ExportFormat format,
                           const std::function<void()>& hardwareRead) {
    DataFileSections file = SplitDataFile(LoadText(*loader, "DATAFILE", "INPUT_FILE"));
    std::string page =
        format == ExportFormat::Page ? LoadText(*loader, "HTMLFILE", "OUTPUT_FILE") : std::string();
    JsonReportHead head;
    head.access = sources.pci->AccessName();
    std::vector<Assignment> assignments = Evaluate(file.variables);
    sources.pci = nullptr;
    if (hardwareRead)
        hardwareRead();

    std::string report;
    if (format == ExportFormat::Json) {
        SYSTEMTIME now;
        GetSystemTime(&now);
        head.version = AnsiToUtf8(sources.productVersion());
        head.computer = AnsiToUtf8(ComputerName());
        head.time = UtcTimestamp(now);
        report = JsonReport(head, JsonValues(assignments));
    } else {
        report = ReportPage(page, assignments, file.script);
    }
    return WriteReplacing(path, report);
}

bool ReportBuilder::Run(const std::function<void()>& hardwareRead) {
    DataFileSections file = SplitDataFile(LoadText(*loader, "DATAFILE", "INPUT_FILE"));
    std::string page = LoadText(*loader, "HTMLFILE", "OUTPUT_FILE");
    std::string icon = IconFile(*loader, MAKEINTRESOURCEA(1));
    std::string input = EvaluateVariables(file.variables) + file.script;
    // Nothing of the hardware access (a driver, its service and file) may
    // outlast the reading, let alone stay while the report is open.
    sources.pci = nullptr;
    if (hardwareRead)
        hardwareRead();

    // The host comes from the system directory only: a program of that name
    // beside us or in any current directory must not run in its place.
    std::string host = SystemFile("mshta.exe");
    bool written = false, shown = false;
    DWORD launchError = ERROR_PATH_NOT_FOUND;
    {
        // Declared in this order, they go in the other: the files, then
        // the folder, before any message.
        ReportFolder folder;
        NewFile script, shownPage, shownIcon;
        written = folder.Make() &&
                  script.Create(folder.File(inputFile), input, &folder.Security()) &&
                  shownPage.Create(folder.File(outputFile), page, &folder.Security()) &&
                  shownIcon.Create(folder.File(iconFile), icon, &folder.Security());
        if (written && !host.empty()) {
            // It starts in the folder, which it holds as its own current
            // directory.
            std::string line = "\"" + host + "\" \"" + folder.File(outputFile) + "\"";
            std::vector<char> commandLine(line.begin(), line.end());
            commandLine.push_back('\0');
            shown = LaunchAndWait(commandLine.data(), SW_SHOW, 0, 0, folder.Path().c_str()) !=
                    0xFFFFFFFF;
            launchError = GetLastError(); // before the files' removal can change it
        }
    }
    if (!written) {
        ShowWriteError();
        return false;
    }
    if (!shown)
        throw Except_BadExec("ReportBuilder::Run", host.empty() ? "mshta.exe" : host.c_str(),
                             launchError);
    return true;
}
