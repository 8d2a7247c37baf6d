// The T13 builder window Form4: dialog and control ids, one number block per window
// (4000 to 4999), so an id in a log names its window. Controls keep their
// window names. Plain #defines: the resource compiler reads this file too.
#pragma once

#define IDD_FORM4 4000

#define IDC_FORM4_COMMAND1 4001
#define IDC_FORM4_COMMAND2 4002
#define IDC_FORM4_COMMAND3 4003
#define IDC_FORM4_COMMAND4 4004
#define IDC_FORM4_COMMAND5 4005
#define IDC_FORM4_COMMAND6 4006
#define IDC_FORM4_FRAME1 4101
#define IDC_FORM4_FRAME2 4102
#define IDC_FORM4_FRAME3 4103
#define IDC_FORM4_FRAME4 4104
#define IDC_FORM4_FRAME5 4105
#define IDC_FORM4_FRAME6 4106
#define IDC_FORM4_LABEL1 4201
#define IDC_FORM4_LABEL2 4202
#define IDC_FORM4_LABEL3 4203
#define IDC_FORM4_LABEL5 4205
#define IDC_FORM4_OPTION1 4401
#define IDC_FORM4_OPTION2 4402
#define IDC_FORM4_OPTION3 4403
#define IDC_FORM4_OPTION4 4404
#define IDC_FORM4_OPTION5 4405
#define IDC_FORM4_OPTION6 4406
#define IDC_FORM4_TEXT1 4501
#define IDC_FORM4_TEXT2 4502
#define IDC_FORM4_TEXT3 4503
#define IDC_FORM4_TEXT5 4505
#define IDC_FORM4_LIST1 4601
#define IDC_FORM4_LIST2 4602
