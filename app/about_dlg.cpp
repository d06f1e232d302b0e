#include "app/about_dlg.h"

#include "res/resource_ids.h"

CAboutDlg::CAboutDlg() : framework::Dialog(IDD_ABOUTBOX, nullptr) {}
