#pragma once
// Ids of the program's resources, its controls and its system-menu command.

inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDS_ABOUTBOX = 101;
inline constexpr int IDD_DIZORED_DIALOG = 9902;
inline constexpr int IDI_DIZORED = 9928;

inline constexpr int IDC_IMPORT_BUTTON = 33465;
inline constexpr int IDC_PASSWORD_EDIT = 33466;
inline constexpr int IDC_CERT_LIST = 33467;
inline constexpr int IDC_QUERY_BUTTON = 33468;
inline constexpr int IDC_ID_EDIT = 33469;

inline constexpr unsigned IDM_ABOUTBOX = 0x0010;
