#pragma once
// The printer of the run: the one the printer setup dialog chooses and
// configures, and the one printing uses.

class QPrinter;
class QWidget;

QPrinter& ProgramPrinter();

// The printer setup dialog over ProgramPrinter(): the printer and its
// settings, nothing printed. True when it closed with OK.
bool RunPrinterSetup(QWidget* parent);
