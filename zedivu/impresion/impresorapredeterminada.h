#pragma once
// The printer whose settings the program prints with: one for the whole run, created on
// first use (a PDF printer when the machine has no printer). The main window's print and
// printer set-up dialogs work on it; the forms read and set its paper.
class QPrinter;

QPrinter *ImpresoraPredeterminada();
