// Arbitrary text through the loader and the executor: errors are fine, crashes and reads past a
// buffer are not (this test runs under AddressSanitizer too).
#include "test_host.h"

#include "interp/errors.h"

#include <gtest/gtest.h>

#include <random>

using namespace qm;

TEST(Robustness, RandomProgramsNeverCrash) {
    const std::string alphabet = "AaBbIiMm01239.,;:'`()[]+-*/<>= \t_\xC0\xFF";
    static const char* const words[] = {"IF(",
                                        "ELSE;",
                                        "END_IF;",
                                        "WHILE(",
                                        "NEXT;",
                                        "BREAK;",
                                        "CONTINUE;",
                                        "ARRAY M;",
                                        "L_VAR ",
                                        "PROCEDURE P(A,B);",
                                        "FUNCTION F(X);",
                                        "END;",
                                        "RETURN ",
                                        "PRINT(",
                                        "PRINTF(",
                                        "STR(",
                                        "POW(",
                                        "SUBSTR(",
                                        "SIZE(",
                                        "M[",
                                        "KSGETREF",
                                        "PI",
                                        "END_PROJECT;",
                                        "P(",
                                        "F(",
                                        "//",
                                        "SQLSETDB("};
    std::mt19937 rng(12345);
    for (int round = 0; round < 3000; ++round) {
        ProgramText p;
        int lines = 1 + rng() % 6;
        for (int l = 0; l < lines; ++l) {
            std::string line;
            int parts = rng() % 12;
            for (int k = 0; k < parts; ++k) {
                if (rng() % 3 == 0)
                    line += words[rng() % (sizeof words / sizeof *words)];
                else
                    line += alphabet[rng() % alphabet.size()];
            }
            p.add(line, {"t", l + 1});
        }
        test::TestHost host;
        int polls = 0;
        host.stop = [&] { return ++polls > 2000; }; // random loops end
        CCompil st(host);
        st.maxCallDepth = 50;
        try {
            st.runProgram(p);
        } catch (const ScriptError&) {
        }
    }
    SUCCEED();
}
