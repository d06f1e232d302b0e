#pragma once
// For tests: while a ModalTestHook lives, message boxes and modal dialogs do not wait for a
// person. Each message box is recorded and answered with its OK button; each modal dialog is
// shown, handed to the hook's handler, and ends as the handler ends it (Cancel if it does not).

#include <functional>
#include <string>
#include <vector>

class QDialog;
class QMessageBox;

namespace framework {

class Dialog;

struct RecordedMessageBox {
    std::string caption;
    std::string text;
    bool warningIcon;
    std::vector<std::string> buttons;  // their texts
    bool ownedByDialog;                // shown over an open dialog window
};

struct RecordedDialog {
    int templateId;
    std::string caption;
    int endCode;
};

class ModalTestHook {
public:
    using DialogHandler = std::function<void(Dialog& dialog, QDialog& window)>;

    ModalTestHook();
    ~ModalTestHook();
    ModalTestHook(const ModalTestHook&) = delete;
    ModalTestHook& operator=(const ModalTestHook&) = delete;

    void SetDialogHandler(DialogHandler handler) { handler_ = std::move(handler); }
    const std::vector<RecordedMessageBox>& MessageBoxes() const { return messageBoxes_; }
    const std::vector<RecordedDialog>& Dialogs() const { return dialogs_; }
    void Clear();

    // Called by the framework.
    static ModalTestHook* Active();
    void AnswerMessageBox(const QMessageBox& box, bool ownedByDialog);
    void RunDialog(Dialog& dialog, QDialog& window);

private:
    DialogHandler handler_;
    std::vector<RecordedMessageBox> messageBoxes_;
    std::vector<RecordedDialog> dialogs_;
    ModalTestHook* previous_;
};

}  // namespace framework
