#pragma once

#include <QString>
#include <memory>
#include <optional>

class QPrinter;
class QTextDocument;

namespace i40::app {

// Prints a document onto the printer's pages, within its margins. What went wrong when
// the printer would not start (no print system, a file that cannot be written); nothing
// when every page went out.
std::optional<QString> PrintDocument(QTextDocument& document, QPrinter& printer);

// A printer with another's choices (printer or file, page layout, copies). A printer
// that failed to start stays busy and refuses every later change, so it is replaced.
std::unique_ptr<QPrinter> FreshPrinter(const QPrinter& old);

// Where the printout went, for the status bar: "the printer X" or the PDF file.
QString PrintedWhere(const QPrinter& printer);

}  // namespace i40::app
