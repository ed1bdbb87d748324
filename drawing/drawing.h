// The drawing our companion builds: sheet views, objects with references, groups, hatch
// boundaries and the transformations the script applies to objects and groups.
#pragma once

#include "drawing/shapes.h"
#include "interp/host.h"

#include <cstdint>
#include <map>
#include <string>
#include <unordered_set>
#include <vector>

namespace qm::drawing {

enum class ObjectKind {
    AuxLine,
    Segment,
    Circle,
    Arc,
    Text,
    Hatch,
    LinearDimension,
    AngularDimension,
    DiametralDimension,
    RadialDimension,
    BreakDimension,
    Roughness,
    Group,
};

// The name of a kind in the files we write ("segment", "linear-dimension", ...).
const char* kindName(ObjectKind kind);

// A sheet view: local coordinates map to the sheet by origin + scale · rotation(angle).
struct View {
    int number = 0;
    Point origin;
    double scale = 1;
    double angle = 0;
    std::int32_t colour = 0;
    std::int32_t state = 0;
    std::string name; // UTF-8
    Affine toSheet() const;
};

struct Object {
    int ref = 0;
    ObjectKind kind = ObjectKind::Segment;
    int view = 0;             // the number of the view it lies in
    SourceLocation where;     // the statement that made it
    std::vector<Item> items;  // in the view's coordinates
    std::vector<int> members; // groups only
};

class Drawing {
  public:
    Drawing();

    // ---- Views: view 0 is the sheet; objects are made in the current view.
    // False (nothing changes) for a number in use, or a scale or angle that is no finite
    // positive scale / finite angle.
    bool createView(const View& view);
    bool openView(int number);
    const View& currentView() const;
    const View* findView(int number) const;
    const std::vector<View>& views() const { return views_; }

    // ---- Objects. `add` makes an object in the current view and puts it into the innermost
    // open group; it answers the new reference, or 0 when references or room have run out.
    int add(ObjectKind kind, std::vector<Item> items, const SourceLocation& where);
    const Object* find(int ref) const;
    // Every object in the order it was made (groups included).
    const std::vector<Object>& objects() const { return objects_; }
    // A fresh reference that names nothing (what a hatch boundary element answers).
    int reserveRef();

    // ---- Groups: KSNEWGROUP opens (answers the group's reference), KSENDGROUP closes the
    // innermost open group (answers its reference, 0 when none is open).
    int openGroup(const SourceLocation& where);
    int closeGroup();

    // ---- Hatches: the segments, circles and arcs made while one is open are its boundary.
    bool hatchOpen() const { return hatch_.open; }
    bool beginHatch(const Hatch& params, const SourceLocation& where);
    void addBoundary(const Edge& edge);
    // Closes the hatch: answers its reference, or 0 when none was open or it encloses nothing.
    int endHatch();

    // ---- Transformations, given in the coordinates of the current view. They answer the
    // reference of the object changed or made, 0 for an unknown reference or a bad transform.
    int transform(int ref, const Affine& t);
    int copy(int ref, const Affine& t, const SourceLocation& where);

  private:
    struct OpenHatch {
        bool open = false;
        Hatch hatch;
        std::vector<Edge> edges;
        SourceLocation where;
        int view = 0;
    };

    Object* findMutable(int ref);
    int newRef();
    int push(Object object, bool intoGroup);
    void transformTree(int ref, const Affine& tCurrent, std::unordered_set<int>& seen);
    int copyTree(int ref, const Affine& tCurrent, const SourceLocation& where, int depth);
    // The number of objects in the tree of `ref` and its height.
    void measure(int ref, int depth, std::size_t& count, int& height) const;
    // The transform `t` of the current view, expressed in the coordinates of `view`.
    Affine inView(int view, const Affine& t) const;

    std::vector<View> views_;
    int current_ = 0; // index into views_
    std::vector<Object> objects_;
    std::map<int, std::size_t> byRef_;
    std::vector<int> openGroups_;
    OpenHatch hatch_;
    int lastRef_ = 0;
};

// Chains boundary edges into closed loops (matching ends within a tolerance, turning edges
// round where needed); a chain that does not close is closed by a straight edge.
std::vector<Loop> chainLoops(std::vector<Edge> edges);

} // namespace qm::drawing
