// The label a person reads for each control of a dialog template, found from the positions of
// the static texts and group boxes around it.
#include "host/ui/ControlLabels.h"

#include <algorithm>

namespace veld::ui {

namespace {

constexpr int kTolerance = 4; // dialog units a text may overlap the control it labels

bool isInput(const ControlTemplate& c) {
    return c.kind == ControlKind::Edit || c.kind == ControlKind::ComboBox ||
           c.kind == ControlKind::CheckBox || c.kind == ControlKind::RadioButton;
}

// A combo box's height includes its dropped list; its closed field is about one line.
Rect visibleRect(const ControlTemplate& c) {
    Rect r = c.rect;
    if (c.kind == ControlKind::ComboBox) {
        r.height = std::min(r.height, 14);
    }
    return r;
}

bool sameRow(const ControlTemplate& a, const ControlTemplate& b) {
    const Rect ra = visibleRect(a);
    const Rect rb = visibleRect(b);
    return ra.y < rb.y + rb.height && rb.y < ra.y + ra.height;
}

bool contains(const Rect& outer, const Rect& inner) {
    const int cx = inner.x + inner.width / 2;
    const int cy = inner.y + inner.height / 2;
    return cx >= outer.x && cx <= outer.x + outer.width && cy >= outer.y &&
           cy <= outer.y + outer.height;
}

class Labeller {
public:
    explicit Labeller(const DialogTemplate& dialog) : controls_(dialog.controls) {}

    std::string label(const ControlTemplate& c) const {
        std::string own;
        std::vector<const ControlTemplate*> row;
        if (c.kind == ControlKind::CheckBox || c.kind == ControlKind::RadioButton ||
            c.kind == ControlKind::PushButton) {
            own = c.text;
        } else if (isInput(c)) {
            const auto texts = textsBefore(c);
            if (!texts.empty()) {
                own = texts.back()->text;
            }
            row = rowTitle(c);
        }
        std::string result;
        if (const ControlTemplate* group = groupOf(c); group != nullptr && !group->text.empty()) {
            result = group->text + " / ";
        }
        for (const ControlTemplate* t : row) {
            result += t->text + " ";
        }
        return result + own;
    }

private:
    // Texts on c's row between the input before it and c, left to right.
    std::vector<const ControlTemplate*> textsBefore(const ControlTemplate& c) const {
        int leftBound = -1000000;
        for (const auto& other : controls_) {
            if (&other != &c && isInput(other) && sameRow(other, c) && other.rect.x < c.rect.x) {
                leftBound = std::max(leftBound, other.rect.x + other.rect.width - kTolerance);
            }
        }
        std::vector<const ControlTemplate*> texts;
        for (const auto& t : controls_) {
            if (t.kind == ControlKind::Text && !t.text.empty() && sameRow(t, c) &&
                t.rect.x >= leftBound && t.rect.x + t.rect.width <= c.rect.x + kTolerance) {
                texts.push_back(&t);
            }
        }
        std::sort(texts.begin(), texts.end(),
                  [](const ControlTemplate* a, const ControlTemplate* b) {
                      return a->rect.x < b->rect.x;
                  });
        return texts;
    }

    // The row's leading texts: those before the row's first input, except that input's own.
    // A row ends at its group box: columns side by side are separate rows.
    std::vector<const ControlTemplate*> rowTitle(const ControlTemplate& c) const {
        const ControlTemplate* first = &c;
        const ControlTemplate* group = groupOf(c);
        for (const auto& other : controls_) {
            if (isInput(other) && sameRow(other, c) && other.rect.x < first->rect.x &&
                groupOf(other) == group) {
                first = &other;
            }
        }
        auto texts = textsBefore(*first);
        if (!texts.empty()) {
            texts.pop_back();
        }
        return texts;
    }

    const ControlTemplate* groupOf(const ControlTemplate& c) const {
        const ControlTemplate* best = nullptr;
        for (const auto& g : controls_) {
            if (g.kind == ControlKind::GroupBox && contains(g.rect, visibleRect(c)) &&
                (best == nullptr ||
                 g.rect.width * g.rect.height < best->rect.width * best->rect.height)) {
                best = &g;
            }
        }
        return best;
    }

    const std::vector<ControlTemplate>& controls_;
};

} // namespace

std::vector<std::string> controlLabels(const DialogTemplate& dialog) {
    const Labeller labeller(dialog);
    std::vector<std::string> labels;
    labels.reserve(dialog.controls.size());
    for (const auto& c : dialog.controls) {
        labels.push_back(labeller.label(c));
    }
    return labels;
}

} // namespace veld::ui
