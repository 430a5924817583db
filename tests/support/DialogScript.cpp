// The scripted dialog run of the tests.
#include "support/DialogScript.h"

#include "aced.h"
#include "host/ed/LineListInput.h"
#include "host/ed/Session.h"
#include "host/ui/DialogDriver.h"
#include "host/ui/ScriptDriver.h"

namespace veld::test {

namespace {

using veld::ed::Session;
namespace ui = veld::ui;

DialogView viewOf(const ui::DialogForm& form) {
    DialogView view;
    view.caption = form.caption();
    const VeldWindow* focus = form.window().focus;
    view.focus = focus != nullptr ? focus->id : 0;
    for (const VeldWindow* control : form.fields()) {
        FieldView field;
        field.text = ui::windowText(*control);
        field.enabled = control->enabled;
        field.check = control->check;
        field.selection = control->list.selection();
        for (int i = 0; i < control->list.count(); ++i) {
            field.entries.push_back(*control->list.at(i));
        }
        view.fields[control->id] = std::move(field);
    }
    return view;
}

// The script driver, recording the fields when the dialog opens and after every action.
class RecordingDriver : public ui::ScriptDriver {
public:
    explicit RecordingDriver(DialogScript& script) : script_(script) {}
    void opened(ui::DialogForm& form) override {
        script_.recordOpened(viewOf(form));
        script_.recordStep(viewOf(form));
        ui::ScriptDriver::opened(form);
    }
    void step(ui::DialogForm& form) override {
        ui::ScriptDriver::step(form);
        script_.recordStep(viewOf(form));
    }

private:
    DialogScript& script_;
};

} // namespace

DialogScript::DialogScript(std::vector<std::string> lines) : lines_(std::move(lines)) {}

DialogScript::~DialogScript() = default;

INT_PTR DialogScript::run(CDialog& dialog) {
    static const HINSTANCE module =
        veldCreateModuleInstance("VeldFoundationApp", veldModuleResourceTable());
    const HINSTANCE previousResources = AfxGetResourceHandle();
    AfxSetResourceHandle(module);

    veld::ed::LineListInput input(lines_);
    Session session;
    session.setInput(&input);
    session.setOutput([this](std::string_view text) { transcript_.append(text); });
    ui::setDialogDriverFactory([this] { return std::make_unique<RecordingDriver>(*this); });
    INT_PTR result = 0;
    {
        Session::Scope scope(session);
        result = dialog.DoModal();
    }
    abortReason_ = session.abortReason();
    ui::setDialogDriverFactory(nullptr);
    AfxSetResourceHandle(previousResources);
    return result;
}

} // namespace veld::test
