// A window for testing the window layer itself: a button whose command the
// test supplies, a list box, a combo box, a text box and a label.
#pragma once

#define IDD_TEST_WINDOW 9000

#define IDC_TEST_RUN 9001
#define IDC_TEST_LIST 9601
#define IDC_TEST_COMBO 9701
#define IDC_TEST_TEXT 9501
#define IDC_TEST_LABEL 9201
#define IDC_TEST_MISSING 9999
