// The message protocol between Quillmark and its drawing companion: message ids, command ids with
// their fixed record sizes, chunking of records into messages, and little-endian byte access.
// Pure data: both the sending side (kompas/) and the companion (drawing/) use these definitions.
//
// One command travels as a sequence of synchronous messages, each "<id> <wParam> <lParam>":
//   1. count message: id 1125, wParam 0, lParam = byte count of the record (0 without a record);
//   2. chunk messages (only when a record is given): id 1126, for k = 0 .. count / 8 inclusive,
//      wParam = bytes 8k..8k+3 of the record as a little-endian 32-bit word, lParam = bytes
//      8k+4..8k+7; bytes past the end of the record are zero. So count / 8 + 1 chunks: a 15-byte
//      record takes 2, a 24-byte record 4 (one more than it fills when count is a multiple of 8);
//   3. command message: id = the command id, wParam 0, lParam 0. Its answer (a signed 32-bit
//      value) is the command's result, which the script reads with KSGETREF.
// The answers of count and chunk messages are ignored. Commands without a record (KSENDOBJ,
// KSENDGROUP) send the count message with 0 and then the command message, no chunks.
//
// Records are packed (no padding), little-endian, always of the full size listed below; bytes the
// sender does not fill are zero. Texts are Windows-1251 bytes ended by one zero byte, which is part
// of the record (so a text message's count is the text's length + 1). The record layouts
// themselves are in kompas/records.h.
#pragma once

#include "kompas/records.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace qm::kompas {

// Transport messages.
constexpr std::uint32_t countMessage = 1125;
constexpr std::uint32_t chunkMessage = 1126;

// Command ids (the id of the command message).
enum CommandId : std::uint32_t {
    cmdLine = 1175,              // LineRecord, KSLINE
    cmdLineSeg = 1176,           // SegmentRecord, KSLINESEG and the shaft builder
    cmdCircle = 1177,            // CircleRecord, KSCIRCLE
    cmdArc = 1178,               // ArcRecord, KSARCBYANGLE and the shaft builder
    cmdHatch = 1179,             // HatchRecord, KSHATCH
    cmdHatchP = 1180,            // HatchPRecord, KSHATCHP
    cmdEndObj = 1181,            // no record, KSENDOBJ
    cmdBitFlagText = 1225,       // text: the dimension text flags ("_AUTONOMINAL_PREFIX...")
    cmdDimText = 1226,           // DimTextRecord
    cmdDimDrawing = 1227,        // DimDrawingRecord
    cmdRadialDrawing = 1228,     // RadialDrawingRecord
    cmdBreakDrawing = 1229,      // BreakDrawingRecord
    cmdLinDimension = 1325,      // LinDimRecord
    cmdAngDimension = 1326,      // AngDimRecord
    cmdDiamDimension = 1327,     // DiamDimRecord
    cmdRadDimension = 1328,      // RadDimRecord
    cmdRadBreakDimension = 1329, // RadBreakDimRecord
    cmdRough = 1330,             // RoughRecord
    cmdText = 1425,              // TextRecord, after the parameter text
    cmdParamText = 1426,         // text: the parameter text (lines separated by code 10)
    cmdSheetView = 1475,         // SheetViewRecord, after the parameter text (the view's name)
    cmdOpenView = 1476,          // ViewNumberRecord
    cmdNewGroup = 1525,          // GroupRecord
    cmdEndGroup = 1526,          // no record, KSENDGROUP
    cmdMove = 1575,              // MoveRecord
    cmdRotate = 1576,            // RotateRecord
    cmdCopy = 1577,              // CopyRecord
    cmdSymmetry = 1578,          // SymmetryRecord
};

// What a command message expects to have received before it.
enum class RecordKind {
    None,  // count 0, no chunks
    Fixed, // exactly `size` bytes
    Text,  // a zero-terminated text of any length (count >= 1)
};

struct CommandInfo {
    std::uint32_t id;
    RecordKind kind;
    std::size_t size; // the fixed size; 0 for None and Text
    const char* name; // the record's name, for messages and traces
};

// The command with this id, or nullptr for an id that is no command.
const CommandInfo* commandInfo(std::uint32_t id);
// Every command, in id order.
const std::vector<CommandInfo>& commandTable();

// Number of chunk messages for a record of `count` bytes (count / 8 + 1).
std::size_t chunkCount(std::size_t count);
// wParam and lParam of chunk k of a record of `count` bytes; bytes past the end are zero.
std::pair<std::uint32_t, std::uint32_t> chunkWords(const std::uint8_t* record, std::size_t count,
                                                   std::size_t k);
// The 8 bytes a chunk carries, in record order.
std::array<std::uint8_t, 8> chunkBytes(std::uint32_t wParam, std::uint32_t lParam);

// A text message's record: the bytes of the text and one terminating zero.
Bytes packText(const std::string& text);
// The text of a text record: the bytes up to the first zero, never past `count`.
std::string unpackText(const std::uint8_t* record, std::size_t count);

} // namespace qm::kompas
