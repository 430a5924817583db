// The body of FNDE: a picked foundation of either kind is read back from its records, its page
// is shown in edit mode with the stored values, and on OK the foundation is erased and drawn
// again at its base point in one undo group. No defaults file is read or written.
#pragma once
#include "app/FoundationKind.h"
#include "dbmain.h"

class FoundationCommand;

class FoundationEdit {
public:
    explicit FoundationEdit(FoundationCommand& command);
    virtual ~FoundationEdit();
    FoundationEdit(const FoundationEdit&) = delete;
    FoundationEdit& operator=(const FoundationEdit&) = delete;

    void run();

private:
    // The members of the one foundation picked; empty (after its messages) otherwise.
    AcDbObjectIdArray pickFoundation();
    // Shows the kind's page over the records read from the first member; redraws on OK.
    void change(FoundationKind& kind, FoundationShape& shape, FoundationSettings& settings,
                const AcDbObjectIdArray& members);
    void redraw(FoundationKind& kind, const FoundationSettings& settings,
                const AcDbObjectIdArray& members, const AcGePoint3d& base,
                const AcGePoint3d& symbol, bool found);

    FoundationCommand& command_;
};
