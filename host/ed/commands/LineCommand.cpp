// LINE: segments from point to point, with Undo and Close as on the original command line.
#include "host/ed/commands/LineCommand.h"

#include "adsdef.h"
#include "host/ed/CommandLine.h"
#include "host/ed/CurrentDrawing.h"

#include <vector>

namespace veld::ed {

namespace {

struct Segment {
    AcDbObjectId id;
    AcGePoint3d start;
};

int addSegment(const AcGePoint3d& from, const AcGePoint3d& to, std::vector<Segment>& segments) {
    AcDbObjectId id;
    Acad::ErrorStatus es = CurrentDrawing::append(new AcDbLine(from, to), id);
    if (es != Acad::eOk) {
        commandLine().message(std::string("\nCould not draw the line: ") + acadErrorStatusText(es));
        return RTERROR;
    }
    segments.push_back(Segment{id, from});
    return RTNORM;
}

InputSpec nextPointSpec(std::size_t segmentCount, const AcGePoint3d& from) {
    InputSpec spec;
    spec.point = true;
    spec.shape.base = from; // the rubber band runs from the last point
    spec.keywords = segmentCount >= 2 ? std::vector<std::string>{"Close", "Undo"}
                                      : std::vector<std::string>{"Undo"};
    spec.invalidMessage = "Point or option keyword required.";
    return spec;
}

} // namespace

int LineCommand::run() {
    CommandLine& cl = commandLine();
    InputSpec firstSpec;
    firstSpec.point = true;
    firstSpec.invalidMessage = "Invalid point.";
    Input first = cl.askInput("\nSpecify first point: ", firstSpec);
    if (first.status != RTNORM) {
        return first.status == RTCAN ? RTCAN : RTNORM;
    }
    std::vector<Segment> segments;
    AcGePoint3d current = first.point;
    for (;;) {
        const char* prompt = segments.size() >= 2 ? "\nSpecify next point or [Close/Undo]: "
                                                  : "\nSpecify next point or [Undo]: ";
        Input next = cl.askInput(prompt, nextPointSpec(segments.size(), current));
        if (next.status == RTNONE || next.status == RTCAN) {
            return next.status == RTCAN ? RTCAN : RTNORM;
        }
        if (next.keyword == "Close") {
            return addSegment(current, first.point, segments);
        }
        if (next.keyword == "Undo") {
            if (segments.empty()) {
                cl.message("\nAll segments already undone.");
                continue;
            }
            CurrentDrawing::erase(segments.back().id);
            current = segments.back().start;
            segments.pop_back();
            continue;
        }
        if (addSegment(current, next.point, segments) != RTNORM) {
            return RTERROR;
        }
        current = next.point;
    }
}

} // namespace veld::ed
