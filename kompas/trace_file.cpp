#include "kompas/trace_file.h"

#include <stdexcept>

namespace qm::kompas {

TraceFile::TraceFile(const std::string& path, Transport* next)
    : path_(path), out_(path, std::ios::binary | std::ios::trunc), recorder_(out_, next) {
    if (!out_) throw std::runtime_error("cannot create the trace file " + path);
}

void TraceFile::close() {
    if (!out_.is_open()) return;
    out_.flush();
    bool ok = static_cast<bool>(out_);
    out_.close();
    if (!ok || out_.fail()) throw std::runtime_error("cannot write the trace file " + path_);
}

} // namespace qm::kompas
