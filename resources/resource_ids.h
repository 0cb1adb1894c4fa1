/* Identifiers shared by the resource script and the code. */
#pragma once

#define IDM_DEBUG_ON 201
#define IDM_DEBUG_OFF 202
#define IDM_ABOUT 203
#define IDM_SAVE_TABLE 204
#define IDM_COPY_TABLE 205
#define IDM_ADD_TO_ZURUZEVU 206
#define IDM_QUIT 207
#define IDM_SHOW_CURVE 208
#define IDM_COPY_PICTURE 209
#define IDM_SAVE_PICTURE 210
#define IDM_CLOSE_CURVE 211

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
inline constexpr wchar_t kCurveLayout[] = L"COURBE";
inline constexpr wchar_t kCurveMenuResource[] = L"CURVEMENU";
inline constexpr wchar_t kCurveShortcutsResource[] = L"CURVESHORTCUTS";
}  // namespace talvorne
#endif
