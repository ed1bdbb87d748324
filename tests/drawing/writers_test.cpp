// The SVG and DXF files: their structure, their texts, their numbers whatever the locale, and
// that real readers take them (ezdxf's auditor, rsvg-convert).
#include "sample.h"
#include "text/lines.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <locale>
#include <unistd.h>

namespace qm::testing {
namespace {

bool contains(const std::string& s, const std::string& part) {
    return s.find(part) != std::string::npos;
}

TEST(Svg, MillimetresYUpwardsAndWhereEachObjectCameFrom) {
    Bench b;
    b.at(9);
    b.send(seg(0, 50, 10, 50, 3));
    b.param("Вал");
    b.send(text(0, 0));
    std::string svg = b.svg();
    EXPECT_EQ(svg.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>", 0), 0u);
    // The extents (the text's box estimated) and a margin of 10 mm.
    EXPECT_TRUE(contains(svg, "width=\"32.75mm\" height=\"70mm\" viewBox=\"-10 -60 32.75 70\""))
        << svg;
    EXPECT_TRUE(contains(svg,
                         "<line x1=\"0\" y1=\"-50\" x2=\"10\" y2=\"-50\" stroke-width=\"0.25\" "
                         "stroke-dasharray=\"12 3 1 3\"/>"))
        << svg;
    EXPECT_TRUE(contains(svg, "data-ref=\"1\" data-kind=\"segment\" data-section=\"основной код\" "
                              "data-line=\"9\""))
        << svg;
    EXPECT_TRUE(contains(svg, ">Вал</text>")) << "UTF-8 text";
}

TEST(Svg, LineKindsHaveTheirWidthsAndDashes) {
    Bench b;
    drawSample(b);
    std::string svg = b.svg();
    for (const char* style :
         {"stroke-width=\"0.5\"/>", "stroke-width=\"1\"/>", "stroke-dasharray=\"6 2\"",
          "stroke-dasharray=\"0.5 1.5\"", "stroke-dasharray=\"12 3 1 3\"", "fill=\"url(#hatch1)\"",
          "patternTransform=\"rotate(-45)\"", "font-style=\"italic\""})
        EXPECT_TRUE(contains(svg, style)) << style;
}

TEST(Svg, TextIsEscaped) {
    Bench b;
    b.param("a<b & \"c\"");
    b.send(text(0, 0));
    EXPECT_TRUE(contains(b.svg(), ">a&lt;b &amp; &quot;c&quot;</text>"));
}

// The values of one group code in the file, in order.
std::vector<std::string> values(const std::string& dxf, const std::string& code) {
    std::vector<std::string> r;
    std::istringstream in(dxf);
    std::string c, v;
    while (std::getline(in, c) && std::getline(in, v))
        if (c.find_first_not_of(' ') != std::string::npos &&
            c.substr(c.find_first_not_of(' ')) == code)
            r.push_back(v);
    return r;
}

TEST(Dxf, HeaderLayersAndEntities) {
    Bench b;
    drawSample(b);
    std::string dxf = b.dxf();
    EXPECT_TRUE(contains(dxf, "  9\n$ACADVER\n  1\nAC1015\n"));
    EXPECT_TRUE(contains(dxf, "  9\n$DWGCODEPAGE\n  3\nANSI_1251\n"));
    EXPECT_TRUE(contains(dxf, "  9\n$INSUNITS\n 70\n4\n"));
    EXPECT_TRUE(contains(dxf, "  2\nAXIS\n 70\n0\n 62\n7\n  6\nCENTER\n"));
    EXPECT_TRUE(contains(dxf, "  2\nHIDDEN\n 70\n0\n 62\n7\n  6\nDASHED\n"));
    EXPECT_TRUE(contains(dxf, "  2\nDOTTED\n 70\n0\n 62\n7\n  6\nDOT\n"));
    std::vector<std::string> types = values(dxf, "0");
    for (const char* type : {"LINE", "CIRCLE", "ARC", "TEXT", "HATCH", "XLINE"})
        EXPECT_NE(std::find(types.begin(), types.end(), type), types.end()) << type;
    std::vector<std::string> texts = values(dxf, "1");
    EXPECT_NE(std::find(texts.begin(), texts.end(), ru("Вал ступенчатый")), texts.end())
        << "Cyrillic as Windows-1251";
    EXPECT_NE(std::find(texts.begin(), texts.end(), "%%c25h7"), texts.end());
    std::vector<std::string> xdata = values(dxf, "1000");
    EXPECT_NE(std::find(xdata.begin(), xdata.end(), "Unit2"), xdata.end());
    // Handles are unique.
    std::vector<std::string> handles = values(dxf, "5");
    std::sort(handles.begin(), handles.end());
    EXPECT_EQ(std::adjacent_find(handles.begin(), handles.end()), handles.end());
}

TEST(Dxf, ClockwiseHatchEdgesUseComplementaryAngles) {
    Bench b;
    kompas::HatchRecord h;
    h.angle = 0, h.step = 1;
    b.send(h);
    b.send(seg(-10, 0, 10, 0));
    b.send(arc(0, 0, 10, 0, 180, 1));
    b.command(kompas::cmdEndObj);
    std::string dxf = b.dxf();
    // Chained from the segment's end (10, 0): the arc runs counter-clockwise from 0 to 180.
    EXPECT_TRUE(contains(dxf, " 72\n2\n 10\n0\n 20\n0\n 40\n10\n 50\n0\n 51\n180\n 73\n1\n"));
    Bench c;
    c.send(h);
    c.send(seg(10, 0, -10, 0));
    c.send(arc(0, 0, 10, 180, 0, -1)); // from (-10, 0) clockwise over the top to (10, 0)
    c.command(kompas::cmdEndObj);
    EXPECT_TRUE(contains(c.dxf(), " 72\n2\n 10\n0\n 20\n0\n 40\n10\n 50\n180\n 51\n360\n 73\n0\n"))
        << c.dxf();
}

// Decimal comma and digit grouping: what a Russian locale would bring.
struct CommaPunct : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return ' '; }
    std::string do_grouping() const override { return "\3"; }
};

TEST(Files, NumbersDoNotDependOnTheLocale) {
    Bench b;
    drawSample(b);
    for (int i = 0; i < 1200; ++i)
        b.send(seg(1234.5, i, 1, 1)); // references and handles past a thousand
    std::string svg = b.svg(), dxf = b.dxf();
    std::locale old = std::locale::global(std::locale(std::locale::classic(), new CommaPunct));
    std::ostringstream s, d;
    s.imbue(std::locale());
    d.imbue(std::locale());
    b.companion.writeSvg(s);
    b.companion.writeDxf(d);
    std::locale::global(old);
    EXPECT_EQ(s.str(), svg);
    EXPECT_EQ(d.str(), dxf);
    EXPECT_TRUE(contains(svg, "x1=\"817.25\"")) << "in the half-scale view at x 200";
}

// ---- Real readers ----------------------------------------------------------------------

std::string run(const std::string& command, int& status) {
    std::string out;
    FILE* p = popen((command + " 2>&1").c_str(), "r");
    if (!p) {
        status = -1;
        return "cannot run: " + command;
    }
    char buf[512];
    while (std::size_t n = std::fread(buf, 1, sizeof buf, p))
        out.append(buf, n);
    status = pclose(p);
    return out;
}

// Debian's interpreter has python3-ezdxf; a python3 earlier on PATH (pyenv) may not.
std::string python() {
    return access("/usr/bin/python3", X_OK) == 0 ? "/usr/bin/python3" : "python3";
}

// Files of this process in the temporary folder (other builds may run their tests meanwhile),
// removed with their renderings when the test ends.
class TempFiles {
  public:
    ~TempFiles() {
        for (const std::string& p : paths_) {
            std::remove(p.c_str());
            std::remove((p + ".png").c_str());
        }
    }
    std::string path(const std::string& name) {
        paths_.push_back(::testing::TempDir() + std::to_string(getpid()) + "_" + name);
        return paths_.back();
    }
    std::string write(const std::string& name, const std::string& content) {
        std::string p = path(name);
        std::ofstream(p, std::ios::binary) << content;
        return p;
    }

  private:
    std::vector<std::string> paths_;
};

void expectDxfAudits(const std::string& path) {
    int status = 0;
    std::string out = run(python() +
                              " -c \"import sys, ezdxf; doc = ezdxf.readfile(sys.argv[1]); "
                              "a = doc.audit(); [print(e.message) for e in a.errors]; "
                              "assert not a.has_errors\" '" +
                              path + "'",
                          status);
    EXPECT_EQ(status, 0) << path << ": " << out;
}

void expectSvgRenders(const std::string& path) {
    int status = 0;
    std::string out = run("rsvg-convert -o '" + path + ".png' '" + path + "'", status);
    EXPECT_EQ(status, 0) << path << ": " << out;
    EXPECT_EQ(out, "") << path;
}

TEST(Files, RealReadersTakeThem) {
    Bench sample;
    drawSample(sample);
    Bench empty;
    TempFiles files;
    expectDxfAudits(files.write("drawing_sample.dxf", sample.dxf()));
    expectDxfAudits(files.write("drawing_empty.dxf", empty.dxf()));
    expectSvgRenders(files.write("drawing_sample.svg", sample.svg()));
    expectSvgRenders(files.write("drawing_empty.svg", empty.svg()));
}

TEST(Files, SavedAsWrittenOrAClearError) {
    Bench b;
    drawSample(b);
    TempFiles files;
    std::string svg = files.path("drawing_saved.svg");
    std::string dxf = files.path("drawing_saved.dxf");
    b.companion.saveSvg(svg);
    b.companion.saveDxf(dxf);
    EXPECT_EQ(readFileBytes(svg), b.svg());
    EXPECT_EQ(readFileBytes(dxf), b.dxf());
    EXPECT_THROW(b.companion.saveSvg(files.path("no-such-folder/x.svg")), FileError);
}

TEST(Files, EzdxfReadsBackTheEntitiesAndTexts) {
    Bench b;
    drawSample(b);
    TempFiles files;
    std::string path = files.write("drawing_readback.dxf", b.dxf());
    int status = 0;
    std::string out = run(python() +
                              " -c \"import sys, ezdxf; doc = ezdxf.readfile(sys.argv[1]); "
                              "m = doc.modelspace(); "
                              "print(len(m.query('LINE')), len(m.query('ARC')), "
                              "len(m.query('HATCH[solid_fill==0]'))); "
                              "print([t.dxf.text for t in m.query('TEXT')][0])\" '" +
                              path + "'",
                          status);
    ASSERT_EQ(status, 0) << out;
    EXPECT_TRUE(contains(out, "Вал ступенчатый")) << out;
    EXPECT_TRUE(contains(out, " 2\n")) << "two pattern hatches: " << out;
}

} // namespace
} // namespace qm::testing
