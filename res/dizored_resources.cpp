#include "res/dizored_resources.h"

#include "res/resource_ids.h"

namespace {

using namespace framework;

constexpr ControlTemplate kMainDialogControls[] = {
    {ControlKind::Static, -1, "憑證密碼", kCentered, 19, 186, 35, 8, "passwordLabel", "憑證密碼"},
    {ControlKind::PushButton, IDC_IMPORT_BUTTON, "匯入\nIE Store", kMultiline | kTabStop, 19, 208, 237, 25,
     "importButton", "匯入 IE Store"},
    {ControlKind::Edit, IDC_PASSWORD_EDIT, "", kBorder | kAutoHScroll | kTabStop, 61, 184, 195, 14,
     "passwordEdit", "憑證密碼"},
    {ControlKind::ListBox, IDC_CERT_LIST, "",
     kBorder | kVScroll | kSorted | kNotify | kNoIntegralHeight | kTabStop, 19, 64, 237, 108, "certList", "憑證"},
    {ControlKind::PushButton, IDC_QUERY_BUTTON, "查詢\n DOZA Cert Store", kMultiline | kTabStop, 19, 34, 237, 21,
     "queryButton", "查詢 DOZA Cert Store"},
    {ControlKind::Static, -1, "ID", kCentered, 20, 13, 35, 8, "idLabel", "ID"},
    {ControlKind::Edit, IDC_ID_EDIT, "", kBorder | kAutoHScroll | kTabStop, 61, 11, 195, 14, "idEdit", "ID"},
};

constexpr ControlTemplate kAboutBoxControls[] = {
    {ControlKind::Icon, -1, "9928", 0, 14, 14, 21, 20, "aboutIcon", "Dizored"},
    {ControlKind::Static, -1, "Dizored, 1.0 版", 0, 42, 14, 114, 8, "aboutVersion", "Dizored, 1.0 版"},
    {ControlKind::Static, -1, "", 0, 42, 26, 114, 8, "aboutNote", ""},
    {ControlKind::PushButton, 1, "確定", kDefaultButton | kTabStop, 113, 41, 50, 14, "okButton", "確定"},
};

constexpr DialogTemplate kDialogs[] = {
    {IDD_ABOUTBOX, "關於 Dizored", kCaption | kSystemMenu | kModalFrame, 9, 170, 62, kAboutBoxControls},
    {IDD_DIZORED_DIALOG, "DOZA憑證轉換工具", kVisible | kCaption | kSystemMenu | kSizingBorder | kAppWindow, 9, 274, 248,
     kMainDialogControls},
};

constexpr StringResource kStrings[] = {
    {IDS_ABOUTBOX, "關於 Dizored(&A)..."},
};

// Images embedded from res/icons by qt_add_resources.
constexpr std::string_view kApplicationIconImages[] = {
    ":/icons/dizored-16.png",  ":/icons/dizored-24.png",  ":/icons/dizored-32.png",
    ":/icons/dizored-48.png",  ":/icons/dizored-64.png",  ":/icons/dizored-96.png",
    ":/icons/dizored-128.png", ":/icons/dizored-192.png", ":/icons/dizored-256.png",
};

constexpr IconResource kIcons[] = {
    {IDI_DIZORED, kApplicationIconImages},
};

constexpr ResourceModule kModule{kDialogs, kStrings, kIcons};

}  // namespace

const ResourceModule& DizoredResources()
{
    return kModule;
}
