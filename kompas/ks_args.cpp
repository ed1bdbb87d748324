#include "kompas/ks_args.h"

#include "interp/convert.h"
#include "interp/errors.h"
#include "interp/eval.h"
#include "text/cp1251.h"
#include "text/numbers.h"

namespace qm::kompas {

KsArgs::KsArgs(CCompil& st, const char* command, const std::string& argText)
    : st_(st), command_(command), tokens_(commandArguments(st, argText)) {}

int KsArgs::count() const {
    return argumentCount(tokens_);
}

CParamVar KsArgs::fetch(int k) {
    return argumentValue(st_, tokens_, k);
}

double KsArgs::toDouble(int k) {
    CParamVar v = fetch(k);
    try {
        return qm::toDouble(v.value, st_.decimalSeparator);
    } catch (const EvalError& e) {
        throw EvalError(std::string(command_) + ru(u8", аргумент ") + std::to_string(k) + ": " +
                        e.what());
    }
}

// The rounded number, or an error naming the command, the argument and the field type.
double KsArgs::checkedInteger(int k, double min, double max, const char* typeName) {
    double d = roundHalfEven(toDouble(k));
    if (!(d >= min && d <= max))
        throw EvalError(std::string(command_) + ru(u8", аргумент ") + std::to_string(k) +
                        ru(u8": число ") + formatGeneral(d) + ru(u8" вне диапазона ") + typeName);
    return d;
}

std::int32_t KsArgs::toInt32(int k) {
    return static_cast<std::int32_t>(checkedInteger(k, -2147483648.0, 2147483647.0, "int32"));
}

std::uint32_t KsArgs::toUint32(int k) {
    return static_cast<std::uint32_t>(checkedInteger(k, 0, 4294967295.0, "uint32"));
}

std::int16_t KsArgs::toInt16(int k) {
    return static_cast<std::int16_t>(checkedInteger(k, -32768, 32767, "int16"));
}

std::uint16_t KsArgs::toUint16(int k) {
    return static_cast<std::uint16_t>(checkedInteger(k, 0, 65535, "uint16"));
}

std::uint8_t KsArgs::toUint8(int k) {
    return static_cast<std::uint8_t>(checkedInteger(k, 0, 255, "uint8"));
}

std::uint16_t KsArgs::low16(int k) {
    return static_cast<std::uint16_t>(static_cast<std::uint32_t>(toInt32(k)) & 0xFFFFu);
}

std::uint8_t KsArgs::lowByte(int k) {
    return static_cast<std::uint8_t>(static_cast<std::uint32_t>(toInt32(k)) & 0xFFu);
}

std::string KsArgs::toText(int k) {
    return qm::toText(fetch(k).value, st_.decimalSeparator);
}

} // namespace qm::kompas
