// The query and import commands of the main dialog.

#include "app/cert_list_entry.h"
#include "app/dizored_dlg.h"
#include "messages/result_messages.h"
#include "platform/certstore/secret_text.h"
#include "store/cert_store_access.h"

void CDizoredDlg::OnQueryClicked()
{
    CCertStoreAccess store;
    CResultMessages error;

    m_idText = m_idEdit.GetWindowText();
    std::string ID = m_idText;
    if (ID.empty()) {
        ShowCode(error, 10001);
        return;
    }

    std::vector<CertListEntry> certlist = store.QueryCertList(ID);
    if (certlist.empty()) {
        ShowCode(error, 10001);
        return;
    }
    // Earlier lines stay; the list sorts the new ones in among them.
    for (auto it = certlist.begin(); it != certlist.end(); ++it) {
        std::string cert_str = *it;
        m_certList.AddString(cert_str);
    }
}

void CDizoredDlg::OnImportClicked()
{
    CCertStoreAccess store;
    CResultMessages error;

    int selected = m_certList.GetCurSel();
    if (selected == framework::LB_ERR) {
        ShowCode(error, 5050);
        return;
    }
    std::string ItemSelected = m_certList.GetText(selected);
    CertListEntryFields fields = SplitCertListEntry(ItemSelected);
    std::string CN = fields.cn;
    std::string ON = fields.orgID;

    m_passwordText = m_passwordEdit.GetWindowText();
    std::string passwd = m_passwordText;
    if (passwd.empty()) {
        ShowCode(error, 5208);
        return;
    }

    ResultCode result = store.ImportCert(ON, CN, passwd);
    platform::certstore::WipeMemory(passwd.data(), passwd.size());
    ShowCode(error, result);
}
