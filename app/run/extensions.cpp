#include "extensions.h"

#include "fits/script_functions.h"

namespace qm {

struct RunExtensions::Parts {
    CDopuski dopuski;
};

RunExtensions::RunExtensions(const RunOptions&) : parts_(std::make_unique<Parts>()) {}
RunExtensions::~RunExtensions() = default;

void RunExtensions::install(CCompil& compil) { installFitsFunctions(compil, parts_->dopuski); }

void RunExtensions::finish() {}

} // namespace qm
