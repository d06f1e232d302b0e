#include "platform/framework/message_box.h"

#include <QMessageBox>

#include "platform/framework/application.h"
#include "platform/framework/dialog.h"
#include "platform/framework/dialog_window.h"
#include "platform/framework/test_hook.h"

namespace framework {

int AppMessageBox(const std::string& text)
{
    DialogWindow* owner = DialogWindow::Innermost();
    QMessageBox box(QMessageBox::Warning, QString::fromStdString(Application::Name()), QString::fromStdString(text),
                    QMessageBox::Ok, owner);
    box.setObjectName(QStringLiteral("messageBox"));
    box.setTextFormat(Qt::PlainText);  // message texts hold %-signs and brackets, never markup
    if (ModalTestHook* hook = ModalTestHook::Active())
        hook->AnswerMessageBox(box, owner != nullptr);
    else
        box.exec();
    return IDOK;
}

}  // namespace framework
