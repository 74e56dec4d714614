#pragma once

// Numeric identifiers of the program's dialog templates, controls, icons,
// cursor, strings and window-menu commands. One name each, used everywhere.

// Dialog templates and strings
#define IDD_ABOUT 100
#define IDS_ABOUT_MENU 101
#define IDD_CALC 102
#define IDS_SETOUT_MENU 103
#define IDS_ROAD_MENU 104
#define IDS_TRANSFORM_MENU 105
#define IDS_CONTROL_MENU 106

// Icons and cursor
#define IDI_APP 128
#define IDI_COMPUTE 131
#define IDI_EXIT 132
#define IDCUR_HAND 133
#define IDI_ABOUT 134

// Standard dialog commands
#define IDOK 1
#define IDCANCEL 2

// Calculator controls
#define IDC_TITLE 1002
#define IDC_START_X 1003
#define IDC_START_Y 1004
#define IDC_AZIMUTH 1005
#define IDC_DISTANCE 1006
#define IDC_ABOUT 1007
#define IDC_MODE_FORWARD 1009
#define IDC_MODE_INVERSE 1010
#define IDC_RESULT_X 1011
#define IDC_RESULT_Y 1012
#define IDC_CAPTION_X 1013
#define IDC_CAPTION_Y 1014
#define IDC_CAPTION_AZIMUTH 1015
#define IDC_CAPTION_DISTANCE 1016

// About box controls
#define IDC_LINK 1000
#define IDC_DESCRIPTION 1001
#define IDC_VERSION 1002
#define IDC_COPYRIGHT 1003

// A static control without an identifier
#define IDC_STATIC (-1)

// Window-menu commands
#define IDM_ABOUT 0x0010
#define IDM_SETOUT 0x0020
#define IDM_ROAD 0x0030
#define IDM_TRANSFORM 0x0040
#define IDM_CONTROL 0x0050
