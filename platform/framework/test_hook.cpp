#include "platform/framework/test_hook.h"

#include <QAbstractButton>
#include <QMessageBox>

#include "platform/framework/dialog.h"
#include "platform/framework/dialog_window.h"

namespace framework {

namespace {
ModalTestHook* g_active = nullptr;
}

ModalTestHook::ModalTestHook() : previous_(g_active)
{
    g_active = this;
}

ModalTestHook::~ModalTestHook()
{
    g_active = previous_;
}

ModalTestHook* ModalTestHook::Active()
{
    return g_active;
}

void ModalTestHook::Clear()
{
    messageBoxes_.clear();
    dialogs_.clear();
}

void ModalTestHook::AnswerMessageBox(const QMessageBox& box, bool ownedByDialog)
{
    RecordedMessageBox record{box.windowTitle().toStdString(), box.text().toStdString(),
                              box.icon() == QMessageBox::Warning, {}, ownedByDialog};
    for (const QAbstractButton* button : box.buttons())
        record.buttons.push_back(button->text().toStdString());
    messageBoxes_.push_back(std::move(record));
}

void ModalTestHook::RunDialog(Dialog& dialog, QDialog& window)
{
    auto& dialogWindow = static_cast<DialogWindow&>(window);
    if (handler_)
        handler_(dialog, window);
    if (dialog.EndCode() == -1)
        dialog.EndDialog(IDCANCEL);
    dialogs_.push_back({dialogWindow.Template().id, window.windowTitle().toStdString(), dialog.EndCode()});
}

}  // namespace framework
