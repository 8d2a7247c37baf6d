// The busy window Form2: dialog and control ids, one number block per window
// (2000 to 2999), so an id in a log names its window. Controls keep their
// window names. Plain #defines: the resource compiler reads this file too.
#pragma once

#define IDD_FORM2 2000

#define IDC_FORM2_LABEL1 2201
