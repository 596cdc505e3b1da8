#include "pen/dash_cutter.h"

#include <QLineF>
#include <cmath>
#include <numeric>

namespace vellumark::gdiplus {

namespace {

// Where a walk along the pattern stands: which entry, and how much of it
// is left.
struct PatternPosition {
    std::size_t index = 0;
    qreal left = 0;

    bool on() const { return index % 2 == 0; }
};

PatternPosition startOf(std::span<const qreal> pattern, qreal offset) {
    const qreal period = std::accumulate(pattern.begin(), pattern.end(), qreal{0});
    qreal phase = std::fmod(offset, period);
    if (phase < 0) {
        phase += period;
    }
    PatternPosition at;
    while (phase >= pattern[at.index]) {
        phase -= pattern[at.index];
        at.index = (at.index + 1) % pattern.size();
    }
    at.left = pattern[at.index] - phase;
    return at;
}

} // namespace

bool cutDashes(const QPolygonF& figure, std::span<const qreal> pattern, qreal offset,
               std::vector<Dash>& dashes) {
    if (figure.size() < 2 || pattern.empty()) {
        return true;
    }
    const std::size_t first = dashes.size();
    PatternPosition at = startOf(pattern, offset);
    if (at.on()) {
        dashes.push_back({QPolygonF{figure.front()}, true, false});
    }
    for (qsizetype i = 1; i < figure.size(); ++i) {
        const QLineF segment(figure[i - 1], figure[i]);
        const qreal length = segment.length();
        qreal walked = 0;
        while (length - walked > at.left) {
            walked += at.left;
            const QPointF turn = segment.pointAt(walked / length);
            if (at.on()) {
                dashes.back().line << turn;
            } else {
                if (dashes.size() >= kMaxDashes) {
                    return false;
                }
                dashes.push_back({QPolygonF{turn}, false, false});
            }
            at.index = (at.index + 1) % pattern.size();
            at.left = pattern[at.index];
        }
        at.left -= length - walked;
        if (at.on() && length > 0) {
            dashes.back().line << figure[i];
        }
    }
    if (at.on()) {
        dashes.back().endsFigure = true;
    }
    const bool closed = figure.front() == figure.back();
    if (closed && dashes.size() - first >= 2 && dashes[first].startsFigure &&
        dashes.back().endsFigure) {
        // One dash runs through the closing point: join its two halves.
        Dash& last = dashes.back();
        last.line += dashes[first].line.mid(1);
        last.endsFigure = false;
        dashes[first] = std::move(last);
        dashes[first].startsFigure = false;
        dashes.pop_back();
    }
    return true;
}

} // namespace vellumark::gdiplus
