#include "project/file_format.h"
#include "project/parameters.h"
#include "project/project_file.h"

#include "project_fixtures.h"

#include <cstdlib>

using namespace qm;
using namespace qm::test;

namespace {

std::string sourceDir() {
    const char* dir = std::getenv("QM_SOURCE_DIR");
    return dir ? dir : ".";
}

} // namespace

class Examples : public ScratchFolder {};

// The shipped projects read back and write out to the same bytes, their table converts, and
// every slide has its picture.
TEST_F(Examples, ReadAndWrittenAgainGiveTheSameBytes) {
    for (const char* name : {"shaft", "bushing"}) {
        const std::string path = sourceDir() + "/examples/" + name + "/" + name + ".qmp";
        const std::string original = readFileBytes(path);
        EXPECT_EQ(decodeFileText(original), original) << name << " is Windows-1251";
        ProjectDocument doc;
        loadProject(doc, path);
        EXPECT_FALSE(doc.vizor.project.data.order.empty());
        EXPECT_FALSE(doc.vizor.project.code[1].empty());
        const std::string copy = file(std::string(name) + ".qmp");
        ASSERT_TRUE(saveProjectAs(doc, copy));
        EXPECT_EQ(readFileBytes(copy), original) << name;
        ASSERT_FALSE(doc.vizor.slides.empty());
        doc.vizor.workDir = folderOf(path);
        for (const CSlide& s : doc.vizor.slides) {
            std::string jpeg = readFileBytes(slideImagePath(doc.vizor, s));
            ASSERT_GT(jpeg.size(), 4u) << s.image;
            EXPECT_EQ(jpeg.substr(0, 2), "\xFF\xD8") << s.image;
            EXPECT_EQ(jpeg.substr(jpeg.size() - 2), "\xFF\xD9") << s.image;
        }
    }
}
