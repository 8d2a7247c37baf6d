// The start window Formman: dialog and control ids, one number block per window
// (5000 to 5999), so an id in a log names its window. Controls keep their
// window names. Plain #defines: the resource compiler reads this file too.
#pragma once

#define IDD_FORMMAN 5000

#define IDC_FORMMAN_COMMAND1 5001
#define IDC_FORMMAN_COMMAND2 5002
#define IDC_FORMMAN_COMMAND3 5003
#define IDC_FORMMAN_FRAME1 5101
#define IDC_FORMMAN_FRAME2 5102
#define IDC_FORMMAN_FRAME3 5103
#define IDC_FORMMAN_LABEL1 5201
#define IDC_FORMMAN_LABEL2 5202
#define IDC_FORMMAN_LABEL3 5203
#define IDC_FORMMAN_OPTION1 5401
#define IDC_FORMMAN_OPTION2 5402
#define IDC_FORMMAN_COMBO1 5701
