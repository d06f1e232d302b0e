#pragma once

#include "platform/framework/dialog.h"

// The About box, template 100.
class CAboutDlg : public framework::Dialog {
public:
    CAboutDlg();
};
