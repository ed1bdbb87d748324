#include "script.h"

#include "text/cp1251.h"

namespace qm::kompas::test {

std::vector<Sequence> sequences(const std::vector<Message>& messages) {
    std::vector<Sequence> out;
    std::size_t i = 0;
    while (i < messages.size()) {
        Sequence s;
        EXPECT_EQ(messages[i].id, countMessage) << "message " << i << " should be a count";
        EXPECT_EQ(messages[i].wParam, 0u);
        s.count = messages[i].lParam;
        ++i;
        std::size_t chunks = 0;
        while (i < messages.size() && messages[i].id == chunkMessage) {
            auto b = chunkBytes(messages[i].wParam, messages[i].lParam);
            s.bytes.insert(s.bytes.end(), b.begin(), b.end());
            ++chunks, ++i;
        }
        EXPECT_EQ(chunks, s.count == 0 ? 0 : chunkCount(s.count)) << "chunks for " << s.count;
        for (std::size_t k = s.count; k < s.bytes.size(); ++k)
            EXPECT_EQ(s.bytes[k], 0) << "padding byte " << k;
        if (s.bytes.size() > s.count) s.bytes.resize(s.count);
        if (i == messages.size()) {
            ADD_FAILURE() << "sequence without a command message";
            break;
        }
        s.id = messages[i].id;
        EXPECT_EQ(messages[i].wParam, 0u);
        EXPECT_EQ(messages[i].lParam, 0u);
        ++i;
        out.push_back(s);
    }
    return out;
}

void ScriptTest::run(const std::vector<std::string>& lines) {
    ProgramText program;
    for (std::size_t k = 0; k < lines.size(); ++k)
        program.add(lines[k], {"main", static_cast<int>(k + 1)});
    st.runProgram(program);
}

void ScriptTest::expectRefused(const std::vector<std::string>& lines) {
    SCOPED_TRACE(lines.front());
    capture.messages.clear();
    host.errors.clear();
    run(lines);
    EXPECT_TRUE(capture.messages.empty());
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_EQ(host.errors[0].rfind(ru(u8"Ошибка при выполнении выражения '"), 0), 0u);
}

} // namespace qm::kompas::test
