// The fixed skeleton of an AutoCAD 2000 DXF: header variables, tables (linetypes and one layer
// per line kind), the model and paper space blocks, and the dictionaries with the two layouts.
#include "drawing/dxf_out.h"

#include <algorithm>
#include <charconv>
#include <iterator>

namespace qm::drawing {

void DxfOut::put(int code, const std::string& value) {
    std::string c = num(code);
    out_ << std::string(c.size() < 3 ? 3 - c.size() : 0, ' ') << c << '\n' << value << '\n';
}

void DxfOut::integer(int code, long long value) {
    char buf[24];
    auto r = std::to_chars(buf, buf + sizeof buf, value);
    put(code, std::string(buf, r.ptr));
}

void DxfOut::point(int base, Point p) {
    real(base, p.x);
    real(base + 10, p.y);
    real(base + 20, 0);
}

std::string DxfOut::hex(unsigned h) {
    char buf[16];
    auto r = std::to_chars(buf, buf + sizeof buf, h, 16);
    std::string s(buf, r.ptr);
    for (char& c : s)
        if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

namespace {

struct Layer {
    LineKind kind;
    const char* name;
    const char* linetype;
    int lineweight; // hundredths of a millimetre
    int colour;
    bool plotted;
};

const Layer layers[] = {
    {LineKind::Main, "MAIN", "CONTINUOUS", 50, 7, true},
    {LineKind::Thin, "THIN", "CONTINUOUS", 25, 7, true},
    {LineKind::Axis, "AXIS", "CENTER", 25, 7, true},
    {LineKind::Hidden, "HIDDEN", "DASHED", 25, 7, true},
    {LineKind::Thick, "THICK", "CONTINUOUS", 100, 7, true},
    {LineKind::Dotted, "DOTTED", "DOT", 25, 7, true},
    {LineKind::Auxiliary, "AUXILIARY", "CONTINUOUS", 18, 8, false},
};

// Dashes positive, gaps negative, 0 a dot; millimetres, as the SVG draws them.
struct Linetype {
    const char* name;
    const char* description;
    int count;
    double pattern[4];
};

const Linetype linetypes[] = {
    {"ByBlock", "", 0, {}},
    {"ByLayer", "", 0, {}},
    {"CONTINUOUS", "Solid line", 0, {}},
    {"CENTER", "Center ____ _ ____ _", 4, {12, -3, 1, -3}},
    {"DASHED", "Dashed __ __ __", 2, {6, -2}},
    {"DOT", "Dot . . . .", 2, {0, -1.5}},
};

void section(DxfOut& d, const char* name) {
    d.put(0, "SECTION");
    d.put(2, name);
}

void header(DxfOut& d, const DxfExtents& ext, unsigned handseed) {
    section(d, "HEADER");
    auto var = [&](const char* name) { d.put(9, name); };
    var("$ACADVER"), d.put(1, "AC1015");
    var("$ACADMAINTVER"), d.integer(70, 6);
    var("$DWGCODEPAGE"), d.put(3, "ANSI_1251");
    var("$INSBASE"), d.point(10, {0, 0});
    var("$EXTMIN"), d.point(10, ext.min);
    var("$EXTMAX"), d.point(10, ext.max);
    var("$LIMMIN"), d.real(10, ext.min.x), d.real(20, ext.min.y);
    var("$LIMMAX"), d.real(10, ext.max.x), d.real(20, ext.max.y);
    var("$LTSCALE"), d.real(40, 1);
    var("$TEXTSIZE"), d.real(40, 3.5);
    var("$TEXTSTYLE"), d.put(7, "Standard");
    var("$CLAYER"), d.put(8, "0");
    var("$CELTYPE"), d.put(6, "ByLayer");
    var("$CECOLOR"), d.integer(62, 256);
    var("$CELTSCALE"), d.real(40, 1);
    var("$DIMSTYLE"), d.put(2, "Standard");
    var("$LUNITS"), d.integer(70, 2);
    var("$LUPREC"), d.integer(70, 4);
    var("$AUNITS"), d.integer(70, 0);
    var("$AUPREC"), d.integer(70, 2);
    var("$HANDSEED"), d.handle(5, handseed);
    var("$MEASUREMENT"), d.integer(70, 1);
    var("$INSUNITS"), d.integer(70, 4); // millimetres
    var("$LWDISPLAY"), d.integer(290, 1);
    var("$MIRRTEXT"), d.integer(70, 0);
    d.put(0, "ENDSEC");
    section(d, "CLASSES");
    d.put(0, "ENDSEC");
}

void tableStart(DxfOut& d, const char* name, unsigned h, int entries) {
    d.put(0, "TABLE");
    d.put(2, name);
    d.handle(5, h);
    d.handle(330, 0);
    d.put(100, "AcDbSymbolTable");
    d.integer(70, entries);
}

void recordStart(DxfOut& d, const char* type, unsigned h, unsigned table, const char* sub) {
    d.put(0, type);
    d.handle(5, h);
    d.handle(330, table);
    d.put(100, "AcDbSymbolTableRecord");
    d.put(100, sub);
}

void vports(DxfOut& d, unsigned& next, const DxfExtents& ext) {
    tableStart(d, "VPORT", handles::vportTable, 1);
    recordStart(d, "VPORT", next++, handles::vportTable, "AcDbViewportTableRecord");
    d.put(2, "*Active");
    d.integer(70, 0);
    d.real(10, 0), d.real(20, 0), d.real(11, 1), d.real(21, 1);
    d.real(12, (ext.min.x + ext.max.x) / 2), d.real(22, (ext.min.y + ext.max.y) / 2);
    d.real(13, 0), d.real(23, 0), d.real(14, 10), d.real(24, 10), d.real(15, 10), d.real(25, 10);
    d.real(16, 0), d.real(26, 0), d.real(36, 1), d.real(17, 0), d.real(27, 0), d.real(37, 0);
    double h = ext.max.y - ext.min.y, w = ext.max.x - ext.min.x;
    d.real(40, std::max(h, w / 1.5) * 1.1 + 1);
    d.real(41, 1.5), d.real(42, 50), d.real(43, 0), d.real(44, 0), d.real(50, 0), d.real(51, 0);
    d.integer(71, 0), d.integer(72, 1000), d.integer(73, 1), d.integer(74, 3), d.integer(75, 0);
    d.integer(76, 0), d.integer(77, 0), d.integer(78, 0);
    d.put(0, "ENDTAB");
}

void ltypes(DxfOut& d, unsigned& next) {
    tableStart(d, "LTYPE", handles::ltypeTable, static_cast<int>(std::size(linetypes)));
    for (const Linetype& t : linetypes) {
        recordStart(d, "LTYPE", next++, handles::ltypeTable, "AcDbLinetypeTableRecord");
        d.put(2, t.name);
        d.integer(70, 0);
        d.put(3, t.description);
        d.integer(72, 65);
        d.integer(73, t.count);
        double total = 0;
        for (int i = 0; i < t.count; ++i)
            total += t.pattern[i] < 0 ? -t.pattern[i] : t.pattern[i];
        d.real(40, total);
        for (int i = 0; i < t.count; ++i) {
            d.real(49, t.pattern[i]);
            d.integer(74, 0);
        }
    }
    d.put(0, "ENDTAB");
}

void layerRecord(DxfOut& d, unsigned h, const char* name, const char* ltype, int colour, int weight,
                 bool plotted) {
    recordStart(d, "LAYER", h, handles::layerTable, "AcDbLayerTableRecord");
    d.put(2, name);
    d.integer(70, 0);
    d.integer(62, colour);
    d.put(6, ltype);
    if (!plotted) d.integer(290, 0);
    d.integer(370, weight);
}

void layerTable(DxfOut& d, unsigned& next) {
    tableStart(d, "LAYER", handles::layerTable, static_cast<int>(std::size(layers)) + 1);
    layerRecord(d, next++, "0", "CONTINUOUS", 7, -3, true);
    for (const Layer& l : layers)
        layerRecord(d, next++, l.name, l.linetype, l.colour, l.lineweight, l.plotted);
    d.put(0, "ENDTAB");
}

void otherTables(DxfOut& d, unsigned& next) {
    tableStart(d, "STYLE", handles::styleTable, 1);
    recordStart(d, "STYLE", next++, handles::styleTable, "AcDbTextStyleTableRecord");
    d.put(2, "Standard");
    d.integer(70, 0);
    d.real(40, 0), d.real(41, 1), d.real(50, 0);
    d.integer(71, 0);
    d.real(42, 3.5);
    d.put(3, "isocpeur.ttf"); // a drafting font with Cyrillic letters
    d.put(4, "");
    d.put(0, "ENDTAB");
    tableStart(d, "VIEW", handles::viewTable, 0);
    d.put(0, "ENDTAB");
    tableStart(d, "UCS", handles::ucsTable, 0);
    d.put(0, "ENDTAB");
    tableStart(d, "APPID", handles::appidTable, 2);
    for (const char* app : {"ACAD", "QUILLMARK"}) {
        recordStart(d, "APPID", next++, handles::appidTable, "AcDbRegAppTableRecord");
        d.put(2, app);
        d.integer(70, 0);
    }
    d.put(0, "ENDTAB");
    tableStart(d, "DIMSTYLE", handles::dimstyleTable, 1);
    d.put(100, "AcDbDimStyleTable");
    d.put(0, "DIMSTYLE");
    d.handle(105, next++);
    d.handle(330, handles::dimstyleTable);
    d.put(100, "AcDbSymbolTableRecord");
    d.put(100, "AcDbDimStyleTableRecord");
    d.put(2, "Standard");
    d.integer(70, 0);
    d.put(0, "ENDTAB");
    tableStart(d, "BLOCK_RECORD", handles::blockRecordTable, 2);
    recordStart(d, "BLOCK_RECORD", handles::modelRecord, handles::blockRecordTable,
                "AcDbBlockTableRecord");
    d.put(2, "*Model_Space");
    d.handle(340, handles::modelLayout);
    recordStart(d, "BLOCK_RECORD", handles::paperRecord, handles::blockRecordTable,
                "AcDbBlockTableRecord");
    d.put(2, "*Paper_Space");
    d.handle(340, handles::paperLayout);
    d.put(0, "ENDTAB");
}

void block(DxfOut& d, const char* name, unsigned record, unsigned begin, unsigned end) {
    d.put(0, "BLOCK");
    d.handle(5, begin);
    d.handle(330, record);
    d.put(100, "AcDbEntity");
    d.put(8, "0");
    d.put(100, "AcDbBlockBegin");
    d.put(2, name);
    d.integer(70, 0);
    d.point(10, {0, 0});
    d.put(3, name);
    d.put(1, "");
    d.put(0, "ENDBLK");
    d.handle(5, end);
    d.handle(330, record);
    d.put(100, "AcDbEntity");
    d.put(8, "0");
    d.put(100, "AcDbBlockEnd");
}

} // namespace

const char* layerName(LineKind kind) {
    for (const Layer& l : layers)
        if (l.kind == kind) return l.name;
    return "0";
}

void writeDxfHead(DxfOut& d, const DxfExtents& ext, unsigned handseed) {
    header(d, ext, handseed);
    section(d, "TABLES");
    unsigned next = handles::firstRecord;
    vports(d, next, ext);
    ltypes(d, next);
    layerTable(d, next);
    otherTables(d, next);
    d.put(0, "ENDSEC");
    section(d, "BLOCKS");
    block(d, "*Model_Space", handles::modelRecord, handles::modelBlock, handles::modelEnd);
    block(d, "*Paper_Space", handles::paperRecord, handles::paperBlock, handles::paperEnd);
    d.put(0, "ENDSEC");
}

namespace {

void dictionary(DxfOut& d, unsigned h, unsigned owner,
                std::initializer_list<std::pair<const char*, unsigned>> entries) {
    d.put(0, "DICTIONARY");
    d.handle(5, h);
    d.handle(330, owner);
    d.put(100, "AcDbDictionary");
    d.integer(281, 1);
    for (const auto& [name, child] : entries) {
        d.put(3, name);
        d.handle(350, child);
    }
}

void layout(DxfOut& d, unsigned h, const char* name, int tab, unsigned record,
            const DxfExtents& ext) {
    d.put(0, "LAYOUT");
    d.handle(5, h);
    d.handle(330, handles::layoutDict);
    d.put(100, "AcDbPlotSettings");
    d.put(1, "");
    d.put(2, "none_device");
    d.put(4, "ISO_A3_(420.00_x_297.00_MM)");
    d.put(6, "");
    for (int c : {40, 41, 42, 43})
        d.real(c, 0);
    d.real(44, 420), d.real(45, 297);
    for (int c : {46, 47, 48, 49, 140, 141})
        d.real(c, 0);
    d.real(142, 1), d.real(143, 1);
    d.integer(70, 688);
    d.integer(72, 1); // millimetres
    d.integer(73, 0), d.integer(74, 5);
    d.put(7, "");
    d.integer(75, 16), d.integer(76, 0), d.integer(77, 2), d.integer(78, 300);
    d.real(147, 1), d.real(148, 0), d.real(149, 0);
    d.put(100, "AcDbLayout");
    d.put(1, name);
    d.integer(70, 1);
    d.integer(71, tab);
    d.real(10, 0), d.real(20, 0), d.real(11, 420), d.real(21, 297);
    d.point(12, {0, 0});
    d.point(14, ext.min);
    d.point(15, ext.max);
    d.real(146, 0);
    d.point(13, {0, 0});
    d.real(16, 1), d.real(26, 0), d.real(36, 0);
    d.real(17, 0), d.real(27, 1), d.real(37, 0);
    d.integer(76, 0);
    d.handle(330, record);
}

} // namespace

void writeDxfObjects(DxfOut& d, const DxfExtents& ext) {
    section(d, "OBJECTS");
    dictionary(d, handles::rootDict, 0,
               {{"ACAD_GROUP", handles::groupDict}, {"ACAD_LAYOUT", handles::layoutDict}});
    dictionary(d, handles::groupDict, handles::rootDict, {});
    dictionary(d, handles::layoutDict, handles::rootDict,
               {{"Layout1", handles::paperLayout}, {"Model", handles::modelLayout}});
    layout(d, handles::modelLayout, "Model", 0, handles::modelRecord, ext);
    layout(d, handles::paperLayout, "Layout1", 1, handles::paperRecord, ext);
    d.put(0, "ENDSEC");
}

} // namespace qm::drawing
