#include "interp/scopes.h"

#include "interp/convert.h"
#include "interp/errors.h"
#include "interp/eval.h"
#include "text/cp1251.h"

namespace qm {

CLocalPar& innermostFrame(CCompil& st) {
    if (st.frames.empty()) throw ScriptError(ru("нет области видимости"));
    return st.frames.back();
}

CLocalPar& globalFrame(CCompil& st) {
    if (st.frames.empty()) throw ScriptError(ru("нет области видимости"));
    return st.frames.front();
}

const CNameVar* findScalar(const CLocalPar& frame, const std::string& name) {
    auto it = frame.varIndex.find(name);
    return it == frame.varIndex.end() ? nullptr : &frame.vars[it->second];
}

int firstArray(const CLocalPar& frame, const std::string& name) {
    if (!frame.arrayNames.count(name)) return -1;
    for (size_t a = 0; a < frame.arrays.size(); ++a)
        if (frame.arrays[a].name == name) return static_cast<int>(a);
    return -1;
}

int lastArray(const CLocalPar& frame, const std::string& name) {
    if (!frame.arrayNames.count(name)) return -1;
    for (size_t a = frame.arrays.size(); a-- > 0;)
        if (frame.arrays[a].name == name) return static_cast<int>(a);
    return -1;
}

std::vector<CParamVar> arrayElements(const CLocalPar& frame, const std::string& name) {
    int a = lastArray(frame, name);
    return a < 0 ? std::vector<CParamVar>{} : frame.arrays[a].elements;
}

bool isAssignment(const std::string& s) {
    size_t eq = s.find('=');
    if (eq == std::string::npos) return false;
    size_t quote = s.find('\'');
    return quote == std::string::npos || quote > eq;
}

namespace {

// Tries every array named NAME in one frame; true when one accepted the write.
bool writeElement(CCompil& st, size_t frameIndex, const std::string& name,
                  const std::string& indexText, const std::string& valueText) {
    for (size_t a = 0; frameIndex < st.frames.size() && a < st.frames[frameIndex].arrays.size(); ++a) {
        if (st.frames[frameIndex].arrays[a].name != name) continue;
        std::int32_t i = toInt(evaluateExpression(st, indexText).value, st.decimalSeparator);
        CParamVar v = evaluateExpression(st, valueText);
        // The evaluation may have run functions; the frame and its arrays are looked up again.
        if (frameIndex >= st.frames.size()) return false;
        auto& arrays = st.frames[frameIndex].arrays;
        if (a >= arrays.size() || arrays[a].name != name) continue;
        auto& elements = arrays[a].elements;
        if (i >= 0 && static_cast<size_t>(i) < elements.size()) {
            elements[i] = std::move(v);
            return true;
        }
        if (i >= 0 && static_cast<size_t>(i) == elements.size()) {
            elements.push_back(std::move(v));
            return true;
        }
    }
    return false;
}

void elementAssignment(CCompil& st, const std::string& s) {
    size_t open = s.find('[');
    size_t close = s.find(']');
    size_t eq = s.find('=');
    if (open == std::string::npos || close == std::string::npos || close < open) return;
    std::string name = s.substr(0, open);
    std::string indexText = s.substr(open + 1, close - open - 1);
    std::string valueText = s.substr(eq + 1);
    if (insideProcedure(st) && writeElement(st, st.frames.size() - 1, name, indexText, valueText))
        return;
    writeElement(st, 0, name, indexText, valueText); // a write that nothing accepts is ignored
}

// NAME=OTHER with NAME an array; false when NAME is no array (then it is a scalar assignment).
bool wholeArrayAssignment(CCompil& st, const std::string& s) {
    size_t eq = s.find('=');
    std::string name = s.substr(0, eq);
    std::string source = s.substr(eq + 1);
    const bool inside = insideProcedure(st);
    std::vector<CParamVar> elements;
    if (inside && innermostFrame(st).arrayNames.count(source))
        elements = arrayElements(innermostFrame(st), source);
    else if (globalFrame(st).arrayNames.count(source))
        elements = arrayElements(globalFrame(st), source);
    CLocalPar* target = nullptr;
    if (inside && innermostFrame(st).arrayNames.count(name)) target = &innermostFrame(st);
    else if (globalFrame(st).arrayNames.count(name)) target = &globalFrame(st);
    if (!target) return false;
    int a = firstArray(*target, name);
    if (a < 0) return false;
    target->arrays[a].elements = std::move(elements);
    return true;
}

void storeScalar(CLocalPar& frame, const std::string& name, const CParamVar& v) {
    CNameVar& var = frame.vars[frame.varIndex.at(name)];
    var.type = v.type;
    var.value = v.value;
}

void appendScalar(CLocalPar& frame, const std::string& name, const CParamVar& v) {
    frame.vars.push_back({v.type, v.value, name});
    frame.varIndex.emplace(name, static_cast<int>(frame.vars.size()) - 1);
}

void scalarAssignment(CCompil& st, std::string s) {
    bool local = s.compare(0, 6, "L_VAR ") == 0;
    if (local) s.erase(0, 6);
    size_t eq = s.find('=');
    if (eq == std::string::npos) return;
    const std::string name = s.substr(0, eq);
    const std::string expr = s.substr(eq + 1);
    const bool inside = insideProcedure(st);
    if (inside && innermostFrame(st).varIndex.count(name)) {
        CParamVar v = evaluateExpression(st, expr);
        storeScalar(innermostFrame(st), name, v);
    } else if ((inside && !globalFrame(st).varIndex.count(name)) || local) {
        CParamVar v = evaluateExpression(st, expr);
        appendScalar(innermostFrame(st), name, v);
    } else if (globalFrame(st).varIndex.count(name)) {
        CParamVar v = evaluateExpression(st, expr);
        storeScalar(globalFrame(st), name, v);
    } else {
        CParamVar v = evaluateExpression(st, expr);
        appendScalar(globalFrame(st), name, v);
    }
}

} // namespace

void executeAssignment(CCompil& st, const std::string& s) {
    if (s.find("]=") != std::string::npos) {
        elementAssignment(st, s);
        return;
    }
    if (wholeArrayAssignment(st, s)) return;
    scalarAssignment(st, s);
}

bool executeArrayDeclaration(CCompil& st, const std::string& s) {
    const bool lvar = s.compare(0, 12, "L_VAR ARRAY ") == 0;
    if (!lvar && s.compare(0, 6, "ARRAY ") != 0) return false;
    std::string name;
    if (!insideProcedure(st)) {
        name = s.substr(lvar ? 12 : 6);
    } else if (!lvar) {
        st.host().showMessage(ru("Неверно объявлен локальный массив ' ") + s + "'");
        name = s.substr(6);
    } else {
        name = s.substr(12);
    }
    CLocalPar& frame = insideProcedure(st) ? innermostFrame(st) : globalFrame(st);
    int a = firstArray(frame, name);
    if (a >= 0) frame.arrays.erase(frame.arrays.begin() + a);
    frame.arrays.push_back({{}, name});
    frame.arrayNames.insert(name);
    return true;
}

} // namespace qm
