#include "app/dizored_dlg.h"

#include "app/about_dlg.h"
#include "messages/display_text.h"
#include "messages/result_messages.h"
#include "platform/certstore/secret_text.h"
#include "platform/framework/message_box.h"
#include "res/resource_ids.h"

// A system command id keeps its four lowest bits clear and stays below the platform's own.
static_assert((IDM_ABOUTBOX & 0xFFF0) == IDM_ABOUTBOX && IDM_ABOUTBOX < 0xF000);

CDizoredDlg::CDizoredDlg(framework::Dialog* pParent)
    : framework::Dialog(IDD_DIZORED_DIALOG, pParent), m_icon(framework::Icon::Load(IDI_DIZORED))
{
}

CDizoredDlg::~CDizoredDlg()
{
    platform::certstore::WipeMemory(m_passwordText.data(), m_passwordText.size());
}

std::span<const framework::MessageMapEntry> CDizoredDlg::GetMessageMap() const
{
    using framework::BN_CLICKED;
    using framework::EN_CHANGE;
    using framework::LBN_SELCHANGE;
    using framework::OnCommand;
    static constexpr framework::MessageMapEntry kMessageMap[] = {
        OnCommand<&CDizoredDlg::OnQueryClicked>(BN_CLICKED, IDC_QUERY_BUTTON),
        OnCommand<&CDizoredDlg::OnPasswordEditChanged>(EN_CHANGE, IDC_PASSWORD_EDIT),
        OnCommand<&CDizoredDlg::OnImportClicked>(BN_CLICKED, IDC_IMPORT_BUTTON),
        OnCommand<&CDizoredDlg::OnCertListSelChange>(LBN_SELCHANGE, IDC_CERT_LIST),
        OnCommand<&CDizoredDlg::OnIdEditChanged>(EN_CHANGE, IDC_ID_EDIT),
    };
    return kMessageMap;
}

void CDizoredDlg::DoDataExchange(framework::DataExchange& dx)
{
    framework::Dialog::DoDataExchange(dx);
    dx.BindControl(IDC_PASSWORD_EDIT, m_passwordEdit);
    dx.BindControl(IDC_CERT_LIST, m_certList);
    dx.BindControl(IDC_ID_EDIT, m_idEdit);
}

bool CDizoredDlg::OnInitDialog()
{
    framework::Dialog::OnInitDialog();

    if (framework::SystemMenu* pSysMenu = GetSystemMenu()) {
        std::string strAboutMenu = framework::LoadStringResource(IDS_ABOUTBOX);
        if (!strAboutMenu.empty()) {
            pSysMenu->AppendSeparator();
            pSysMenu->AppendItem(IDM_ABOUTBOX, strAboutMenu);
        }
    }

    SetIcon(m_icon, true);
    SetIcon(m_icon, false);

    m_passwordEdit.SetWindowText(m_passwordText);
    m_passwordEdit.SetLimitText(m_maxPasswordLength);
    return true;
}

void CDizoredDlg::OnSysCommand(unsigned nID, long lParam)
{
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg dlgAbout;
        dlgAbout.DoModal();
    } else {
        framework::Dialog::OnSysCommand(nID, lParam);
    }
}

void CDizoredDlg::OnOK()
{
    // Enter runs the command of the edit it was pressed in and never ends the dialog, which
    // would throw the listed results away. On the list it does nothing.
    switch (GetFocusControlId()) {
    case IDC_ID_EDIT:
        OnQueryClicked();
        break;
    case IDC_PASSWORD_EDIT:
        OnImportClicked();
        break;
    default:
        break;
    }
}

void CDizoredDlg::ShowCode(const CResultMessages& error, ResultCode code)
{
    // The table's text is in its own code page; the screen wants UTF-8.
    framework::AppMessageBox(MessageToUtf8(error.GetText(code, 0), 0));
}
