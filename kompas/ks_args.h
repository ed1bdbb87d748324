// The arguments of one KS statement and their conversions to the field types of the records.
// Every fetch evaluates its argument anew (an argument that calls a user function runs it once
// per fetch), so the commands fetch in their own fixed order. A failed conversion throws
// qm::EvalError naming the command and the argument; nothing has been sent at that point
// because every command converts all its arguments before it sends.
#pragma once

#include "interp/state.h"

#include <cstdint>
#include <string>

namespace qm::kompas {

class KsArgs {
  public:
    // argText is the statement's "(...)"; it is tokenized once here.
    KsArgs(CCompil& st, const char* command, const std::string& argText);

    int count() const; // the number of top-level arguments, 0 for "()" or none

    double toDouble(int k);
    // Checked integers: the number rounded half to even, an error outside the type's range.
    std::int32_t toInt32(int k);
    std::uint32_t toUint32(int k);
    std::int16_t toInt16(int k);
    std::uint16_t toUint16(int k);
    std::uint8_t toUint8(int k);
    // Checked as int32, then only the low bits are kept (70000 -> 4464, -1 -> 65535 / 255).
    std::uint16_t low16(int k);
    std::uint8_t lowByte(int k);
    // A text unchanged, a number by the implicit conversion (the user's decimal separator).
    std::string toText(int k);

  private:
    CParamVar fetch(int k);
    double checkedInteger(int k, double min, double max, const char* typeName);

    CCompil& st_;
    const char* command_;
    TokenList tokens_;
};

} // namespace qm::kompas
