// quillmark-run: runs a project or a code module headless.
#include "extensions.h"
#include "options.h"
#include "runner_host.h"

#include "interp/errors.h"
#include "interp/state.h"
#include "project/run_file.h"
#include "text/cp1251.h"
#include "text/lines.h"

#include <chrono>
#include <clocale>
#include <condition_variable>
#include <cstdio>
#include <malloc.h>
#include <mutex>
#include <pthread.h>
#include <thread>

using namespace qm;

namespace {

enum ExitStatus { kOk = 0, kRunFailed = 1, kBadInput = 2, kTimedOut = 3 };

// A code module is the main code of a project with an empty parameter table.
ProgramText moduleProgram(const StringList& lines) {
    ProgramText program;
    const std::string section = ru("основной код");
    for (size_t k = 0; k < lines.size(); ++k)
        program.add(lines[k], {section, static_cast<int>(k + 1)});
    return program;
}

// Stops the run from another thread once the time is up.
class Watchdog {
  public:
    Watchdog(RunnerHost& host, double seconds) {
        if (seconds <= 0) return;
        thread_ = std::thread([this, &host, seconds] {
            std::unique_lock<std::mutex> lock(mutex_);
            auto limit = std::chrono::duration<double>(seconds);
            if (!done_.wait_for(lock, limit, [this] { return finished_; })) {
                fired = true;
                host.stop = true;
            }
        });
    }
    ~Watchdog() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            finished_ = true;
        }
        done_.notify_all();
        if (thread_.joinable()) thread_.join();
    }
    std::atomic<bool> fired{false};

  private:
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable done_;
    bool finished_ = false;
};

// Runs fn on a thread with a large stack, so that deep (bounded) recursion of scripts is safe.
template <class Fn> void runWithLargeStack(Fn fn) {
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setstacksize(&attr, 512u << 20);
    pthread_t th;
    auto* heapFn = new Fn(std::move(fn));
    auto entry = [](void* p) -> void* {
        auto* f = static_cast<Fn*>(p);
        (*f)();
        delete f;
        return nullptr;
    };
    if (pthread_create(&th, &attr, entry, heapFn) != 0) {
        entry(heapFn); // no thread: run here
    } else {
        pthread_join(th, nullptr);
    }
    pthread_attr_destroy(&attr);
}

bool isProject(const std::string& path) {
    std::string low = path;
    for (char& c : low)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return low.size() >= 4 && low.compare(low.size() - 4, 4, ".qmp") == 0;
}

// A code module: its lines, or the program text with --print-program.
int runModule(const RunOptions& opt, RunnerHost& host, CCompil& compil) {
    StringList lines;
    try {
        lines = readLineFile(opt.file);
    } catch (const std::exception& e) {
        host.writeRaw("error: " + std::string(e.what()) + "\n");
        return kBadInput;
    }
    if (!opt.sets.empty() || !opt.saveAs.empty()) {
        host.writeRaw("quillmark-run: --set and --save-as need a project (*.qmp)\n");
        return kBadInput;
    }
    ProgramText program = moduleProgram(lines);
    if (opt.printProgram) {
        for (const auto& l : program.lines)
            host.writeOut(l);
        return kOk;
    }
    host.clearPanels();
    compil.runProgram(program);
    return kOk;
}

int runProject(const RunOptions& opt, RunnerHost& host, CCompil& compil, RunExtensions& ext) {
    ProjectRunOptions po;
    po.hooks = ext.projectHooks();
    po.sets = opt.sets;
    po.printProgram = opt.printProgram;
    po.saveAs = opt.saveAs;
    ProjectRunOutput out;
    out.printLine = [&](const std::string& line) { host.writeOut(line); };
    out.error = [&](const std::string& text) { host.reportError(text); };
    out.usageError = [&](const std::string& text) {
        host.writeErr("quillmark-run: ", text);
        host.writeRaw("(quillmark-run --help lists the options)\n");
    };
    return runProjectFile(opt.file, po, compil, out);
}

int execute(const RunOptions& opt, RunnerHost& host) {
    CCompil compil(host);
    if (opt.decimalSeparator) compil.decimalSeparator = opt.decimalSeparator;
    RunExtensions extensions(opt);
    try {
        extensions.prepare();
    } catch (const std::exception& e) {
        host.reportError(e.what());
        return kBadInput;
    }
    extensions.install(compil);
    int status = kOk;
    Watchdog watchdog(host, opt.timeoutSeconds);
    runWithLargeStack([&] {
        try {
            status = isProject(opt.file) ? runProject(opt, host, compil, extensions)
                                         : runModule(opt, host, compil);
            if (status == kOk) extensions.finish();
        } catch (const ScriptError& e) {
            host.finish();
            host.reportError(e.what());
            if (e.where.known()) host.writeErr("at: ", e.where.describe());
            status = kRunFailed;
        } catch (const std::exception& e) {
            host.finish();
            host.reportError(e.what());
            status = kRunFailed;
        }
    });
    host.finish();
    if (watchdog.fired) return kTimedOut;
    if (status == kOk && host.hadStatementError) status = kRunFailed;
    return status;
}

} // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    // Scripts build long texts piece by piece; keep freed memory for the next piece instead of
    // returning it to the system (and faulting it in again) after every statement.
    mallopt(M_TRIM_THRESHOLD, 32 << 20);
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
    RunOptions opt;
    try {
        opt = parseOptions(argc, argv);
    } catch (const UsageError& e) {
        std::fprintf(stderr, "quillmark-run: %s\n(quillmark-run --help lists the options)\n",
                     e.what());
        return kBadInput;
    }
    if (opt.help) {
        std::fputs(kUsage, stdout);
        return kOk;
    }
    if (opt.version) {
        std::puts("quillmark-run 0.1.0");
        return kOk;
    }
    RunnerHost host(opt.encoding, stdout, stderr);
    return execute(opt, host);
}
