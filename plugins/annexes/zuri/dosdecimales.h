#pragma once
// The two-decimal rule of the afforestation accreditation, shared by its results and its
// statistics: the value's 15-significant-digit decimal form rounded to two decimals, halves
// away from zero, sign kept (2.675 -> 2.68, -0.455 -> -0.46, 12.3 -> 12.3).
double DosDecimalesZURI(double x);
