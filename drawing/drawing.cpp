#include "drawing/drawing.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <unordered_set>

namespace qm::drawing {

namespace {
// Deeper nesting of open groups than this is refused, and no copy may make a group tree taller
// than maxTreeHeight: no drafting task needs more, and the tree walks recurse.
constexpr std::size_t maxGroupDepth = 256;
constexpr int maxTreeHeight = 512;
// Copies of copies of groups double a drawing quickly; past this many objects nothing more is
// made (a real drawing has thousands).
constexpr std::size_t maxObjects = 250000;
} // namespace

const char* kindName(ObjectKind kind) {
    switch (kind) {
    case ObjectKind::AuxLine:
        return "auxiliary-line";
    case ObjectKind::Segment:
        return "segment";
    case ObjectKind::Circle:
        return "circle";
    case ObjectKind::Arc:
        return "arc";
    case ObjectKind::Text:
        return "text";
    case ObjectKind::Hatch:
        return "hatch";
    case ObjectKind::LinearDimension:
        return "linear-dimension";
    case ObjectKind::AngularDimension:
        return "angular-dimension";
    case ObjectKind::DiametralDimension:
        return "diametral-dimension";
    case ObjectKind::RadialDimension:
        return "radial-dimension";
    case ObjectKind::BreakDimension:
        return "radial-break-dimension";
    case ObjectKind::Roughness:
        return "roughness";
    case ObjectKind::Group:
        return "group";
    }
    return "object";
}

Affine View::toSheet() const {
    return Affine::scaling(scale)
        .then(Affine::rotation(angle))
        .then(Affine::translation(origin.x, origin.y));
}

Drawing::Drawing() {
    views_.push_back(View{});
}

bool Drawing::createView(const View& view) {
    if (findView(view.number)) return false;
    if (!isFinite(view.origin) || !std::isfinite(view.angle)) return false;
    if (!(view.scale > 0) || !std::isfinite(view.scale)) return false;
    views_.push_back(view);
    current_ = static_cast<int>(views_.size()) - 1;
    return true;
}

bool Drawing::openView(int number) {
    for (std::size_t i = 0; i < views_.size(); ++i)
        if (views_[i].number == number) {
            current_ = static_cast<int>(i);
            return true;
        }
    return false;
}

const View& Drawing::currentView() const {
    return views_[current_];
}

const View* Drawing::findView(int number) const {
    for (const View& v : views_)
        if (v.number == number) return &v;
    return nullptr;
}

int Drawing::newRef() {
    if (lastRef_ == INT_MAX) return 0;
    return ++lastRef_;
}

int Drawing::reserveRef() {
    return newRef();
}

int Drawing::push(Object object, bool intoGroup) {
    if (objects_.size() >= maxObjects) return 0;
    int ref = newRef();
    if (ref == 0) return 0;
    object.ref = ref;
    byRef_[ref] = objects_.size();
    objects_.push_back(std::move(object));
    if (intoGroup && !openGroups_.empty()) findMutable(openGroups_.back())->members.push_back(ref);
    return ref;
}

int Drawing::add(ObjectKind kind, std::vector<Item> items, const SourceLocation& where) {
    Object o;
    o.kind = kind;
    o.view = currentView().number;
    o.where = where;
    o.items = std::move(items);
    return push(std::move(o), true);
}

const Object* Drawing::find(int ref) const {
    auto it = byRef_.find(ref);
    return it == byRef_.end() ? nullptr : &objects_[it->second];
}

Object* Drawing::findMutable(int ref) {
    auto it = byRef_.find(ref);
    return it == byRef_.end() ? nullptr : &objects_[it->second];
}

int Drawing::openGroup(const SourceLocation& where) {
    if (openGroups_.size() >= maxGroupDepth) return 0;
    int ref = add(ObjectKind::Group, {}, where);
    if (ref != 0) openGroups_.push_back(ref);
    return ref;
}

int Drawing::closeGroup() {
    if (openGroups_.empty()) return 0;
    int ref = openGroups_.back();
    openGroups_.pop_back();
    return ref;
}

bool Drawing::beginHatch(const Hatch& params, const SourceLocation& where) {
    if (hatch_.open) return false;
    hatch_ = OpenHatch{true, params, {}, where, currentView().number};
    return true;
}

void Drawing::addBoundary(const Edge& edge) {
    if (hatch_.open) hatch_.edges.push_back(edge);
}

int Drawing::endHatch() {
    if (!hatch_.open) return 0;
    OpenHatch h = std::move(hatch_);
    hatch_ = OpenHatch{};
    h.hatch.loops = chainLoops(std::move(h.edges));
    if (h.hatch.loops.empty()) return 0;
    Object o;
    o.kind = ObjectKind::Hatch;
    o.view = h.view;
    o.where = h.where;
    o.items.push_back(Item{LineKind::Thin, std::move(h.hatch)});
    return push(std::move(o), true);
}

Affine Drawing::inView(int view, const Affine& t) const {
    const View* v = findView(view);
    if (!v || v->number == currentView().number) return t;
    Affine vs = v->toSheet(), cs = currentView().toSheet();
    return vs.then(cs.inverse()).then(t).then(cs).then(vs.inverse());
}

namespace {
bool usable(const Affine& t) {
    return isFinite(t) && t.scale() > 1e-12;
}
} // namespace

int Drawing::transform(int ref, const Affine& t) {
    if (!find(ref) || !usable(t)) return 0;
    std::unordered_set<int> seen;
    transformTree(ref, t, seen);
    return ref;
}

void Drawing::transformTree(int ref, const Affine& t, std::unordered_set<int>& seen) {
    if (!seen.insert(ref).second) return;
    Object* o = findMutable(ref);
    if (!o) return;
    Affine local = inView(o->view, t);
    for (Item& item : o->items)
        item = transformed(item, local);
    std::vector<int> members = o->members; // the walk below never adds members, but be safe
    for (int m : members)
        transformTree(m, t, seen);
}

void Drawing::measure(int ref, int depth, std::size_t& count, int& height) const {
    const Object* o = find(ref);
    if (!o || depth > maxTreeHeight) return;
    ++count;
    height = std::max(height, depth);
    for (int m : o->members)
        measure(m, depth + 1, count, height);
}

int Drawing::copy(int ref, const Affine& t, const SourceLocation& where) {
    if (!find(ref) || !usable(t)) return 0;
    std::size_t count = 0;
    int height = 0;
    measure(ref, 1, count, height);
    if (objects_.size() + count > maxObjects) return 0;
    if (height + static_cast<int>(openGroups_.size()) > maxTreeHeight) return 0;
    int made = copyTree(ref, t, where, 0);
    if (made != 0 && !openGroups_.empty()) {
        Object* g = findMutable(openGroups_.back());
        if (g && g->ref != made) g->members.push_back(made);
    }
    return made;
}

int Drawing::copyTree(int ref, const Affine& t, const SourceLocation& where, int depth) {
    const Object* src = find(ref);
    if (!src || depth > maxTreeHeight) return 0;
    Object o;
    o.kind = src->kind;
    o.view = src->view;
    o.where = where;
    Affine local = inView(src->view, t);
    for (const Item& item : src->items)
        o.items.push_back(transformed(item, local));
    std::vector<int> members = src->members; // `src` dies when objects_ grows
    int made = push(std::move(o), false);
    if (made == 0) return 0;
    for (int m : members) {
        int c = copyTree(m, t, where, depth + 1);
        if (c != 0) findMutable(made)->members.push_back(c);
    }
    return made;
}

// ---- Boundary loops ----------------------------------------------------------------------

namespace {

double extentOf(const std::vector<Edge>& edges) {
    double m = 1;
    for (const Edge& e : edges) {
        Point a = edgeStart(e), b = edgeEnd(e);
        m = std::max({m, std::fabs(a.x), std::fabs(a.y), std::fabs(b.x), std::fabs(b.y)});
    }
    return m;
}

// Twice the signed area of a loop, arcs taken as polylines of short chords.
double loopArea(const Loop& loop) {
    double sum = 0;
    Point prev = edgeStart(loop.front());
    auto to = [&](Point p) {
        sum += cross(prev, p);
        prev = p;
    };
    for (const Edge& e : loop) {
        if (auto a = std::get_if<ArcEdge>(&e)) {
            const int n = 32;
            for (int i = 1; i <= n; ++i) {
                double k = a->reversed ? 1.0 - double(i) / n : double(i) / n;
                to(a->arc.centre + a->arc.radius * direction(a->arc.start + k * a->arc.sweep));
            }
        } else {
            to(edgeEnd(e));
        }
    }
    return sum;
}

bool degenerate(const Edge& e) {
    if (auto s = std::get_if<Segment>(&e)) return distance(s->a, s->b) == 0;
    return !(std::get<ArcEdge>(e).arc.radius > 0);
}

} // namespace

std::vector<Loop> chainLoops(std::vector<Edge> edges) {
    edges.erase(std::remove_if(edges.begin(), edges.end(), degenerate), edges.end());
    const double tol = 1e-6 * extentOf(edges);
    std::vector<bool> used(edges.size(), false);
    std::vector<Loop> loops;
    for (std::size_t first = 0; first < edges.size(); ++first) {
        if (used[first]) continue;
        used[first] = true;
        Loop loop{edges[first]};
        Point start = edgeStart(edges[first]);
        Point end = edgeEnd(edges[first]);
        while (distance(end, start) > tol) {
            std::size_t next = edges.size();
            bool flip = false;
            for (std::size_t i = 0; i < edges.size() && next == edges.size(); ++i) {
                if (used[i]) continue;
                if (distance(edgeStart(edges[i]), end) <= tol)
                    next = i;
                else if (distance(edgeEnd(edges[i]), end) <= tol)
                    next = i, flip = true;
            }
            if (next == edges.size()) {
                loop.push_back(Segment{end, start}); // an open chain is closed straight
                break;
            }
            used[next] = true;
            loop.push_back(flip ? reversedEdge(edges[next]) : edges[next]);
            end = edgeEnd(loop.back());
        }
        if (std::fabs(loopArea(loop)) > tol * tol) loops.push_back(std::move(loop));
    }
    return loops;
}

} // namespace qm::drawing
