// Resource ids of the move tool.
#pragma once

#define IDI_APP_ICON 128
#define IDD_MOVE_DIALOG 129
#define IDC_DETAIL_TEXT 1000
#define IDC_STATUS_TEXT 1001
