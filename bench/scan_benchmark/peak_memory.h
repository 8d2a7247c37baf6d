// Peak resident memory of this process so far, in MiB. (A benchmark asks
// the system directly, one source file per system; the product's code goes
// through platform/.)
#pragma once

double peakMemoryMiB();
