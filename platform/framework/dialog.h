#pragma once
// A dialog built from a template of the resources, with its controls, message map, system
// menu and end code.

#include <memory>
#include <span>
#include <string>

#include "platform/framework/controls.h"
#include "platform/framework/resources.h"

class QWidget;

namespace framework {

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

// Notifications a control sends its dialog.
inline constexpr int BN_CLICKED = 0;
inline constexpr int LBN_SELCHANGE = 1;
inline constexpr int EN_CHANGE = 0x0300;

class Dialog;
class DialogWindow;

// One line of a dialog's message map: a control's notification and the handler it runs.
struct MessageMapEntry {
    int notification;
    int controlId;
    void (*handler)(Dialog&);
};

namespace detail {
template <typename Member>
struct MemberOf;
template <typename Class>
struct MemberOf<void (Class::*)()> {
    using type = Class;
};
template <auto Handler>
void CallHandler(Dialog& dialog)
{
    using Derived = typename MemberOf<decltype(Handler)>::type;
    (static_cast<Derived&>(dialog).*Handler)();
}
}  // namespace detail

// A message map line for a handler of the derived dialog: OnCommand<&CMyDlg::OnOkClicked>(BN_CLICKED, 1).
template <auto Handler>
constexpr MessageMapEntry OnCommand(int notification, int controlId)
{
    return {notification, controlId, &detail::CallHandler<Handler>};
}

class SystemMenu {
public:
    SystemMenu(Dialog& dialog, DialogWindow& window) : dialog_(dialog), window_(window) {}
    void AppendSeparator();
    void AppendItem(unsigned commandId, const std::string& text);

private:
    Dialog& dialog_;
    DialogWindow& window_;
};

class Dialog {
public:
    Dialog(int templateId, Dialog* parent);
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Shows the dialog and waits until it ends: its end code, or -1 when the window cannot be
    // made (no such template).
    int DoModal();
    // Shows the dialog without waiting (a host that drives it itself); false when it cannot be made.
    bool Create();
    void EndDialog(int endCode);
    // The window while it is open, and a control of it by id; null otherwise.
    QWidget* Window() const;
    QWidget* GetDlgItem(int controlId) const;
    // The end code once the dialog has ended, -1 before.
    int EndCode() const { return endCode_; }

    // Null when the template gives the window no system menu.
    SystemMenu* GetSystemMenu();
    void SetIcon(const Icon& icon, bool bigIcon);
    // The id of the control that has the focus, or -1.
    int GetFocusControlId() const;

protected:
    virtual std::span<const MessageMapEntry> GetMessageMap() const { return {}; }
    virtual void DoDataExchange(DataExchange& dx);
    // Runs DoDataExchange. Return true to have the focus put on the first tab stop.
    virtual bool OnInitDialog();
    // A command of the system menu.
    virtual void OnSysCommand(unsigned commandId, long param);
    // Enter with no button focused, and Escape or the close box.
    virtual void OnOK();
    virtual void OnCancel();

private:
    friend class DialogWindow;
    friend class SystemMenu;
    bool MakeWindow();
    void OnCommandMessage(int controlId, int notification);

    int templateId_;
    Dialog* parent_;
    std::unique_ptr<DialogWindow> window_;
    std::unique_ptr<SystemMenu> systemMenu_;
    int endCode_ = -1;
};

}  // namespace framework
