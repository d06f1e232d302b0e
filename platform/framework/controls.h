#pragma once
// Control objects that a dialog binds to its controls by id. Texts are narrow UTF-8. A control
// object reaches its control through the dialog while the window is open, and does nothing after.

#include <string>

namespace framework {

class Dialog;

inline constexpr int LB_ERR = -1;

class Edit {
public:
    std::string GetWindowText() const;
    void SetWindowText(const std::string& text);
    // The most the edit accepts, in bytes of its UTF-8 text; typed characters that would pass
    // it are refused, pasted text is cut there (never inside a character).
    void SetLimitText(int maxBytes);

private:
    friend class DataExchange;
    Dialog* dialog_ = nullptr;
    int controlId_ = -1;
};

class ListBox {
public:
    // Inserts the line where it keeps a sorted list in order (after equal lines); returns its index.
    int AddString(const std::string& text);
    // The selected line's index, or LB_ERR.
    int GetCurSel() const;
    std::string GetText(int index) const;

private:
    friend class DataExchange;
    Dialog* dialog_ = nullptr;
    int controlId_ = -1;
};

// Hands a dialog's controls to the control objects that stand for them.
class DataExchange {
public:
    explicit DataExchange(Dialog& dialog) : dialog_(dialog) {}
    void BindControl(int controlId, Edit& edit);
    void BindControl(int controlId, ListBox& listBox);

private:
    Dialog& dialog_;
};

}  // namespace framework
