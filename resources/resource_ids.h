/* Identifiers shared by the resource script and the code. */
#pragma once

#define IDM_DEBUG_ON 201
#define IDM_DEBUG_OFF 202
#define IDM_ABOUT 203
#define IDM_SAVE_TABLE 204
#define IDM_COPY_TABLE 205
#define IDM_ADD_TO_ZURUZEVU 206
#define IDM_QUIT 207

#define IDI_TALVORNE 1
#define IDS_STYLE_ICEBERG_CLASSICO 1

#ifndef RC_INVOKED
namespace talvorne {
inline constexpr wchar_t kLayoutResourceType[] = L"LAYOUT";
inline constexpr wchar_t kStyleResourceType[] = L"UISTYLE";
inline constexpr wchar_t kMainMenuResource[] = L"MAINMENU1";
inline constexpr wchar_t kMainShortcutsResource[] = L"MAINSHORTCUTS";
inline constexpr wchar_t kForm1Layout[] = L"FORM1";
inline constexpr wchar_t kAboutFormLayout[] = L"ABOUTFORM";
inline constexpr wchar_t kFormDdeLayout[] = L"FORMDDE";
}  // namespace talvorne
#endif
