#pragma once
// The main dialog: identifier edit, query button, certificate list, password edit, import button.

#include <cstdint>
#include <string>

#include "platform/framework/dialog.h"
#include "store/result_code.h"

class CResultMessages;

class CDizoredDlg : public framework::Dialog {
public:
    explicit CDizoredDlg(framework::Dialog* pParent = nullptr);
    ~CDizoredDlg() override;

protected:
    std::span<const framework::MessageMapEntry> GetMessageMap() const override;
    void DoDataExchange(framework::DataExchange& dx) override;
    bool OnInitDialog() override;
    void OnSysCommand(unsigned nID, long lParam) override;
    void OnOK() override;

    // The commands of the two buttons.
    void OnQueryClicked();
    void OnImportClicked();
    // Typing and selecting do nothing until a button is clicked.
    void OnPasswordEditChanged() {}
    void OnCertListSelChange() {}
    void OnIdEditChanged() {}

private:
    // Shows the Traditional Chinese text of a code in the application's message box.
    void ShowCode(const CResultMessages& error, ResultCode code);

    framework::Edit m_passwordEdit;
    framework::ListBox m_certList;
    framework::Edit m_idEdit;
    framework::Icon m_icon;
    std::string m_passwordText;
    int32_t m_maxPasswordLength = 16;  // bytes of the narrow (UTF-8) text
    std::string m_idText;
};
