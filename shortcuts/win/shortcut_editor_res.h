// The shortcut editor Form3: dialog and control ids, one number block per window
// (3000 to 3999), so an id in a log names its window. Controls keep their
// window names. Plain #defines: the resource compiler reads this file too.
#pragma once

#define IDD_FORM3 3000

#define IDC_FORM3_COMMAND1 3001
#define IDC_FORM3_COMMAND2 3002
#define IDC_FORM3_COMMAND3 3003
#define IDC_FORM3_COMMAND4 3004
#define IDC_FORM3_FRAME1 3101
#define IDC_FORM3_FRAME2 3102
#define IDC_FORM3_FRAME3 3103
#define IDC_FORM3_LABEL1 3201
#define IDC_FORM3_LABEL2 3202
#define IDC_FORM3_LABEL3 3203
#define IDC_FORM3_LABEL4 3204
#define IDC_FORM3_LABEL5 3205
#define IDC_FORM3_LABEL6 3206
#define IDC_FORM3_LABEL7 3207
#define IDC_FORM3_OPTION1 3401
#define IDC_FORM3_OPTION2 3402
#define IDC_FORM3_OPTION3 3403
#define IDC_FORM3_TEXT1 3501
#define IDC_FORM3_TEXT2 3502
#define IDC_FORM3_TEXT3 3503
#define IDC_FORM3_TEXT4 3504
#define IDC_FORM3_TEXT5 3505
#define IDC_FORM3_TEXT6 3506
#define IDC_FORM3_LIST1 3601
