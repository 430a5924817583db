// Small services the two property pages share: numbers read from and written into their edit
// fields, and the drawing's layer names added to their layer lists.
#pragma once
#include "afxwin.h"

#include <initializer_list>

// The number an edit field holds: its text by the text-to-number rule (0 when not a number).
double PageNumber(const CWnd& edit);
// Writes a computed number into an edit field as "%.2f".
void ShowPageNumber(CWnd& edit, double value);
// A number rounded to what "%.2f" shows of it.
double RoundedToCents(double value);

// Adds the name of every layer of the working drawing, in table order, to each list (a sorted
// list puts each name in its place).
void AddLayerNames(std::initializer_list<CComboBox*> lists);
