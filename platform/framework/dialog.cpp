#include "platform/framework/dialog.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>

#include "platform/framework/dialog_window.h"
#include "platform/framework/icon_loader.h"
#include "platform/framework/test_hook.h"

namespace framework {

void SystemMenu::AppendSeparator()
{
    window_.SystemMenu()->addSeparator();
}

void SystemMenu::AppendItem(unsigned commandId, const std::string& text)
{
    QAction* item = window_.SystemMenu()->addAction(QString::fromStdString(text));
    item->setObjectName(QStringLiteral("systemCommand%1").arg(commandId));
    QObject::connect(item, &QAction::triggered, &window_, [this, commandId] { dialog_.OnSysCommand(commandId, 0); });
}

Dialog::Dialog(int templateId, Dialog* parent) : templateId_(templateId), parent_(parent) {}

Dialog::~Dialog() = default;

bool Dialog::MakeWindow()
{
    const DialogTemplate* dialogTemplate = FindDialogTemplate(templateId_);
    if (!dialogTemplate)
        return false;
    // A dialog without a parent is owned by the innermost open one, as a platform would do.
    QWidget* owner = parent_ && parent_->window_ ? parent_->window_.get() : DialogWindow::Innermost();
    endCode_ = -1;
    window_ = std::make_unique<DialogWindow>(*this, *dialogTemplate, owner);
    if (window_->SystemMenu())
        systemMenu_ = std::make_unique<SystemMenu>(*this, *window_);
    if (OnInitDialog()) {
        if (QWidget* first = window_->FirstTabStop())
            first->setFocus(Qt::TabFocusReason);
    }
    return true;
}

int Dialog::DoModal()
{
    if (!MakeWindow())
        return -1;
    if (endCode_ == -1) {
        if (ModalTestHook* hook = ModalTestHook::Active()) {
            window_->setWindowModality(Qt::ApplicationModal);
            window_->show();
            hook->RunDialog(*this, *window_);
        } else {
            window_->exec();
        }
    }
    systemMenu_.reset();
    window_.reset();
    return endCode_;
}

bool Dialog::Create()
{
    if (!MakeWindow())
        return false;
    if (window_->Template().style & kVisible)
        window_->show();
    return true;
}

void Dialog::EndDialog(int endCode)
{
    endCode_ = endCode;
    if (window_)
        window_->done(endCode);
}

QWidget* Dialog::Window() const
{
    return window_.get();
}

QWidget* Dialog::GetDlgItem(int controlId) const
{
    return window_ ? window_->Control(controlId) : nullptr;
}

SystemMenu* Dialog::GetSystemMenu()
{
    return systemMenu_.get();
}

void Dialog::SetIcon(const Icon& icon, bool /*bigIcon: one Qt icon holds every size*/)
{
    if (window_)
        window_->setWindowIcon(LoadQIcon(icon));
}

int Dialog::GetFocusControlId() const
{
    return window_ ? window_->ControlIdOf(window_->focusWidget()) : -1;
}

void Dialog::DoDataExchange(DataExchange& /*dx*/) {}

bool Dialog::OnInitDialog()
{
    DataExchange dx(*this);
    DoDataExchange(dx);
    return true;
}

void Dialog::OnSysCommand(unsigned /*commandId*/, long /*param*/)
{
    // Moving, sizing and closing belong to the window manager on Linux; the system menu holds
    // only what the dialog appends to it.
}

void Dialog::OnOK()
{
    EndDialog(IDOK);
}

void Dialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void Dialog::OnCommandMessage(int controlId, int notification)
{
    for (const MessageMapEntry& entry : GetMessageMap()) {
        if (entry.controlId == controlId && entry.notification == notification) {
            entry.handler(*this);
            return;
        }
    }
    // Buttons with the standard ids end the dialog unless the map routes them elsewhere.
    if (notification == BN_CLICKED && controlId == IDOK)
        OnOK();
    else if (notification == BN_CLICKED && controlId == IDCANCEL)
        OnCancel();
}

}  // namespace framework
