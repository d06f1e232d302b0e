#include "app/dizored_app.h"

#include "app/dizored_dlg.h"
#include "platform/framework/trace.h"

bool CDizoredApp::InitInstance()
{
    framework::Application::InitInstance();

    CDizoredDlg dlg;
    int nResponse = dlg.DoModal();
    if (nResponse == -1) {
        framework::Trace("警告: 對話方塊建立失敗，因此，應用程式意外終止。\n");
        framework::Trace("警告: 如果您要在對話方塊上使用 MFC 控制項，則無法 #define _AFX_NO_MFC_CONTROLS_IN_DIALOGS。\n");
    }
    // No message loop: the program ends with the dialog, however it ended.
    return false;
}
