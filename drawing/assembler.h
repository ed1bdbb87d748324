// Puts records back together from the message stream: a count message opens a record, chunk
// messages bring it 8 bytes at a time, and the command message closes it. Only a sequence that
// came complete and in order yields a record; anything else is refused, never guessed at.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qm::drawing {

class RecordAssembler {
  public:
    // Larger records than this are refused (the largest fixed record is 116 bytes; texts are
    // lines of a script): the receiver never grows without bound on a bad count.
    static constexpr std::size_t maxRecord = 1 << 20;

    void count(std::uint32_t bytes);
    void chunk(std::uint32_t wParam, std::uint32_t lParam);

    // The command message ends the sequence. True with the record (count bytes, possibly none)
    // when a count came first and exactly count / 8 + 1 chunks followed it (none for count 0);
    // false otherwise. Either way the assembler is ready for the next sequence.
    bool finish(std::vector<std::uint8_t>& record);

  private:
    bool counted_ = false;
    bool broken_ = false;
    std::size_t expected_ = 0; // bytes announced
    std::size_t chunks_ = 0;
    std::vector<std::uint8_t> bytes_;
};

} // namespace qm::drawing
