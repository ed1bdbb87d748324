// The trace of a headless run: a recorder writing to a file, in front of the companion (or of
// nothing). The file is created when the run starts, so a run that draws nothing leaves an
// empty trace rather than none.
#pragma once

#include "kompas/transport.h"

#include <fstream>
#include <string>

namespace qm::kompas {

class TraceFile : public Transport {
  public:
    // Throws std::runtime_error when the file cannot be created. `next` may be nullptr.
    TraceFile(const std::string& path, Transport* next);
    std::int32_t send(std::uint32_t msgId, std::uint32_t wParam, std::uint32_t lParam,
                      const Origin& origin) override {
        return recorder_.send(msgId, wParam, lParam, origin);
    }
    // Flushes and closes the file; throws std::runtime_error when writing it failed.
    void close();

  private:
    std::string path_;
    std::ofstream out_;
    TraceRecorder recorder_;
};

} // namespace qm::kompas
