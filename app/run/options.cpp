#include "options.h"

#include <charconv>
#include <cstring>

namespace qm {

const char* const kUsage =
    "usage: quillmark-run [options] FILE\n"
    "  FILE                     a project (*.qmp) or a code module (*.qmu), run as the main code\n"
    "                           of a project whose parameter table is empty\n"
    "  --decimal-separator C    '.' or ',': the user's decimal separator of the implicit\n"
    "                           conversions (default: that of the process locale)\n"
    "  --timeout SECONDS        stop the run after this much wall time (exit status 3)\n"
    "  --encoding NAME          utf-8 (default) or cp1251: the encoding of stdout and stderr\n"
    "  --set NAME=VALUE         replace the value cell of the table row of variable NAME\n"
    "  --print-program          write the assembled program text instead of running\n"
    "  --save-as OUT.qmp        save the project to OUT.qmp and do not run\n"
    "  --trace FILE             record every message to the drawing companion\n"
    "  --svg FILE, --dxf FILE   draw with the built-in companion and write the drawing\n"
    "  --db PATH                connect this database before the run\n"
    "  --help, --version\n";

RunOptions parseOptions(int argc, char** argv) {
    RunOptions o;
    auto value = [&](int& i) -> std::string {
        if (i + 1 >= argc) throw UsageError(std::string(argv[i]) + " needs a value");
        return argv[++i];
    };
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--help")
            o.help = true;
        else if (a == "--version")
            o.version = true;
        else if (a == "--decimal-separator") {
            std::string v = value(i);
            if (v != "." && v != ",") throw UsageError("--decimal-separator takes '.' or ','");
            o.decimalSeparator = v[0];
        } else if (a == "--timeout") {
            std::string v = value(i);
            double t = 0;
            auto r = std::from_chars(v.data(), v.data() + v.size(), t);
            if (r.ec != std::errc() || r.ptr != v.data() + v.size() || !(t > 0))
                throw UsageError("--timeout takes a positive number of seconds");
            o.timeoutSeconds = t;
        } else if (a == "--encoding") {
            std::string v = value(i);
            if (v == "utf-8" || v == "utf8" || v == "UTF-8")
                o.encoding = OutputEncoding::Utf8;
            else if (v == "cp1251" || v == "windows-1251")
                o.encoding = OutputEncoding::Cp1251;
            else
                throw UsageError("--encoding takes utf-8 or cp1251");
        } else if (a == "--set") {
            std::string v = value(i);
            size_t eq = v.find('=');
            if (eq == std::string::npos || eq == 0) throw UsageError("--set takes NAME=VALUE");
            o.sets.emplace_back(v.substr(0, eq), v.substr(eq + 1));
        } else if (a == "--print-program")
            o.printProgram = true;
        else if (a == "--save-as")
            o.saveAs = value(i);
        else if (a == "--trace")
            o.tracePath = value(i);
        else if (a == "--svg")
            o.svgPath = value(i);
        else if (a == "--dxf")
            o.dxfPath = value(i);
        else if (a == "--db")
            o.dbPath = value(i);
        else if (a.size() > 1 && a[0] == '-')
            throw UsageError("unknown option " + a);
        else if (!o.file.empty())
            throw UsageError("only one FILE may be given");
        else
            o.file = a;
    }
    if (o.file.empty() && !o.help && !o.version) throw UsageError("no FILE given");
    return o;
}

} // namespace qm
