#include "project/model.h"

#include "text/cp1251.h"

#include <stdexcept>

namespace qm {

const std::string& kindText(ParamKind kind) {
    static const std::string texts[4] = {ru(u8"размер"), ru(u8"строка"), ru(u8"число"),
                                         ru(u8"шероховатость")};
    return texts[kind & 3];
}

void clearParameters(CDataProject& data) {
    data.order.clear();
    data.dims.clear();
    data.strs.clear();
    data.nums.clear();
    data.roughs.clear();
}

void CSVizor::eraseSlide(int index) {
    if (index < 0 || index >= slideCount())
        throw std::out_of_range("slide index " + std::to_string(index) + " outside the list");
    slides.erase(slides.begin() + index);
}

const CSlide& CSVizor::slide(int index) const {
    if (index < 0 || index >= slideCount())
        throw std::out_of_range("slide index " + std::to_string(index) + " outside the list");
    return slides[static_cast<size_t>(index)];
}

std::string slideImagePath(const CSVizor& vizor, const CSlide& slide) {
    return vizor.workDir + "Image/" + slide.image;
}

} // namespace qm
