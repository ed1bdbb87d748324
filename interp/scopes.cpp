#include "interp/scopes.h"

#include "interp/convert.h"
#include "interp/errors.h"
#include "interp/eval.h"
#include "interp/statement_info.h"
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
bool writeElement(CCompil& st, size_t frameIndex, StatementInfo& info) {
    for (size_t a = 0; frameIndex < st.frames.size() && a < st.frames[frameIndex].arrays.size();
         ++a) {
        if (st.frames[frameIndex].arrays[a].name != info.name) continue;
        const Variant index = evaluateExpression(st, info.indexPlan, info.indexText).value;
        const std::int32_t i = toInt(index, st.decimalSeparator);
        CParamVar v = evaluateExpression(st, info.rhsPlan, info.rhs);
        // The evaluation may have run functions; the frame and its arrays are looked up again.
        if (frameIndex >= st.frames.size()) return false;
        auto& arrays = st.frames[frameIndex].arrays;
        if (a >= arrays.size() || arrays[a].name != info.name) continue;
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

void elementAssignment(CCompil& st, StatementInfo& info) {
    if (info.elementMalformed) return;
    if (insideProcedure(st) && writeElement(st, st.frames.size() - 1, info)) return;
    writeElement(st, 0, info); // a write that nothing accepts is ignored
}

// NAME=OTHER with NAME an array; false when NAME is no array (then it is a scalar assignment).
bool wholeArrayAssignment(CCompil& st, const StatementInfo& info) {
    const std::string& name = info.name;
    const std::string& source = info.rhs;
    const bool inside = insideProcedure(st);
    if (globalFrame(st).arrayNames.empty() && (!inside || innermostFrame(st).arrayNames.empty()))
        return false; // no array anywhere: a scalar assignment
    CLocalPar* target = nullptr;
    if (inside && innermostFrame(st).arrayNames.count(name))
        target = &innermostFrame(st);
    else if (globalFrame(st).arrayNames.count(name))
        target = &globalFrame(st);
    if (!target) return false;
    int a = firstArray(*target, name);
    if (a < 0) return false;
    std::vector<CParamVar> elements;
    if (inside && innermostFrame(st).arrayNames.count(source))
        elements = arrayElements(innermostFrame(st), source);
    else if (globalFrame(st).arrayNames.count(source))
        elements = arrayElements(globalFrame(st), source);
    target->arrays[a].elements = std::move(elements);
    return true;
}

void appendScalar(CLocalPar& frame, const std::string& name, const CParamVar& v) {
    frame.addVar({v.type, v.value, name});
}

// Into the first variable of that name; a function left behind by a stop may have changed the
// innermost frame meanwhile, and then the variable is made there.
void storeScalar(CLocalPar& frame, const std::string& name, CParamVar v) {
    auto it = frame.varIndex.find(name);
    if (it == frame.varIndex.end()) return appendScalar(frame, name, v);
    CNameVar& var = frame.vars[it->second];
    var.type = v.type;
    var.value = std::move(v.value);
}

void scalarAssignment(CCompil& st, StatementInfo& info) {
    const std::string& name = info.scalarName;
    const bool inside = insideProcedure(st);
    auto value = [&] { return evaluateExpression(st, info.rhsPlan, info.rhs); };
    // At top level the statement's global variable, once known, stays the same for the run.
    if (!inside && !info.local && st.runId != 0 && info.globalRun == st.runId) {
        CParamVar v = value();
        CNameVar& var = globalFrame(st).vars[info.globalVar];
        var.type = v.type;
        var.value = std::move(v.value);
        return;
    }
    auto remember = [&] {
        if (inside || info.local) return;
        info.globalRun = st.runId;
        info.globalVar = globalFrame(st).varIndex.at(name);
    };
    if (inside && innermostFrame(st).varIndex.count(name)) {
        CParamVar v = value();
        storeScalar(innermostFrame(st), name, v);
    } else if ((inside && !globalFrame(st).varIndex.count(name)) || info.local) {
        CParamVar v = value();
        appendScalar(innermostFrame(st), name, v);
    } else if (globalFrame(st).varIndex.count(name)) {
        CParamVar v = value();
        storeScalar(globalFrame(st), name, v);
        remember();
    } else {
        CParamVar v = value();
        appendScalar(globalFrame(st), name, v);
        remember();
    }
}

} // namespace

void executeAssignment(CCompil& st, StatementInfo& info) {
    if (info.element) {
        elementAssignment(st, info);
        return;
    }
    if (wholeArrayAssignment(st, info)) return;
    scalarAssignment(st, info);
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
    frame.addArray({{}, name});
    return true;
}

} // namespace qm
