// Rounding the way the drawing code expects: to nearest with ties to even, saturating at the int
// range so that huge or non-finite world values never become undefined behaviour.
#pragma once

// 2.5 gives 2, 3.5 gives 4, -2.5 gives -2; NaN gives 0; values beyond the int range saturate.
int Round(double V);
// Toward zero, saturating like Round.
int Trunc(double V);
