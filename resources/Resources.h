// Resources.h: the numbers of the Windows program's resources and of the name dialog's controls,
// shared by the resource script and the code that uses them.
#pragma once

#define IDI_ZEMBRIX 1      // the program's icon
#define IDD_NAME 102       // the name dialog's template
#define IDC_NAME 1001      // its edit field
#define IDC_NAME_TEXT 1002 // its label "Imie:"
