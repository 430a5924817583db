// What sets the triangular and the square foundation apart in the three commands: the page, the
// shape with its drawing and records, the position prompt, the trace texts and the default
// symbol point. One foundation's placement and its redraw are written once, here, over them.
#pragma once
#include "app/FoundationShape.h"
#include "settings/FoundationSettings.h"
#include "windef.h"

#include <functional>
#include <memory>

class FoundationKind {
public:
    FoundationKind() = default;
    virtual ~FoundationKind();
    FoundationKind(const FoundationKind&) = delete;
    FoundationKind& operator=(const FoundationKind&) = delete;

    // The trace texts at the start and the end of the placement command.
    virtual const char* startTrace() const = 0;
    virtual const char* endTrace() const = 0;
    // The prompt for the position of the symbol (triangle) or the label (square).
    virtual const char* positionPrompt() const = 0;
    // Shows the kind's page modally over `settings`: IDOK or IDCANCEL. The page is made on the
    // first showing and kept, so a placement command shows the same page again after each pass.
    virtual INT_PTR showPage(FoundationSettings& settings, bool editMode) = 0;

    virtual std::unique_ptr<FoundationShape> newShape() const = 0;
    // The kind's drawing of the shape (at its basePoint and rotation): the new group or null.
    virtual AcDbObjectId draw(FoundationShape& shape, const FoundationSettings& settings) const = 0;
    virtual Acad::ErrorStatus writeRecords(FoundationShape& shape, AcDbObjectId groupId,
                                           const FoundationSettings& settings) const = 0;
    // 0 when the entity is a foundation of this kind: the settings, basePoint and symbolPoint
    // then hold its records.
    virtual Acad::ErrorStatus readRecords(FoundationShape& shape, AcDbObjectId entityId,
                                          FoundationSettings& settings) const = 0;
    // Where a redrawn foundation's symbol goes when the old one had none.
    virtual AcGePoint3d defaultSymbolPoint(const AcGePoint3d& base,
                                           const FoundationSettings& settings) const = 0;

    // One foundation at `base` (finishDelta, finishSquare): drawn, its symbol placed where the
    // user points when one is wanted, its records written. The group; null when nothing was
    // drawn or the position prompt was not answered.
    AcDbObjectId place(const AcGePoint3d& base, const FoundationSettings& settings) const;
    // A foundation drawn again at `base` (redrawDelta, redrawSquare): its symbol goes to
    // `symbol` when the old foundation had one (`found`), else to the default point. Asks
    // nothing. The group, or null.
    AcDbObjectId redraw(const FoundationSettings& settings, const AcGePoint3d& base,
                        const AcGePoint3d& symbol, bool found) const;

private:
    // Gives the symbol's position; false when there is none (the prompt was declined).
    using SymbolPosition = std::function<bool(AcGePoint3d& position)>;

    // Draws the foundation, inserts its symbol when one is wanted at the position given, and
    // writes its records. The group; null when nothing was drawn or there was no position.
    AcDbObjectId drawWithSymbol(const AcGePoint3d& base, const FoundationSettings& settings,
                                const SymbolPosition& position) const;
};

// The parts of a kind that only differ by class: its page and its shape.
template <class Shape, class Page> class FoundationKindOf : public FoundationKind {
public:
    INT_PTR showPage(FoundationSettings& settings, bool editMode) override {
        if (!page_) {
            page_ = std::make_unique<Page>(nullptr);
        }
        page_->editMode = editMode;
        page_->settings = &settings;
        return page_->DoModal();
    }
    std::unique_ptr<FoundationShape> newShape() const override { return std::make_unique<Shape>(); }
    AcDbObjectId draw(FoundationShape& shape, const FoundationSettings& settings) const override {
        return static_cast<Shape&>(shape).draw(settings);
    }
    Acad::ErrorStatus writeRecords(FoundationShape& shape, AcDbObjectId groupId,
                                   const FoundationSettings& settings) const override {
        return static_cast<Shape&>(shape).writeRecords(groupId, settings, Shape::kTypeText);
    }
    Acad::ErrorStatus readRecords(FoundationShape& shape, AcDbObjectId entityId,
                                  FoundationSettings& settings) const override {
        return static_cast<Shape&>(shape).readRecords(entityId, Shape::kTypeText, settings);
    }

private:
    std::unique_ptr<Page> page_;
};
