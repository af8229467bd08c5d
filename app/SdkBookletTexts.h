#pragma once

// German/English texts of printed booklets and the PDF export, beside the program's table.

#include "app/SdkTexts.h"

namespace SdkTx {

// On paper.
inline constexpr SdkText BookletNumber{"Nr. %1", "No. %1"};
inline constexpr SdkText BookletLevel{"Stufe %1", "Level %1"};
inline constexpr SdkText BookletRating{"Bewertung %1", "Rating %1"};
inline constexpr SdkText BookletSolutions{"Lösungen", "Solutions"};
inline constexpr SdkText BookletPage{"Seite %1 von %2", "Page %1 of %2"};

// Menu.
inline constexpr SdkText MenuPrintRiddles{"Rätsel&heft drucken ...", "Print r&iddles ..."};
inline constexpr SdkText MenuExportPdf{"PDF e&xportieren ...", "E&xport PDF ..."};

// The booklet dialog.
inline constexpr SdkText BookletTitle{"Rätsel drucken", "Print riddles"};
inline constexpr SdkText BookletCount{"Anzahl der Rätsel:", "Number of riddles:"};
inline constexpr SdkText BookletFromStock{"Aus dem &Vorrat, Schwierigkeitsstufe:",
                                          "From the &stock, level:"};
inline constexpr SdkText BookletComputed{"Mit den aktuellen Erzeugungs-Optionen &berechnen",
                                         "&Computed with the current creation settings"};
inline constexpr SdkText BookletPerPage{"Rätsel pro Seite:", "Riddles per page:"};
inline constexpr SdkText BookletWithSolutions{"&Lösungsseiten anhängen", "Add &solution pages"};
inline constexpr SdkText BookletToPrinter{"Auf einem &Drucker ausgeben", "Send to a &printer"};
inline constexpr SdkText BookletToPdf{"In eine &PDF-Datei schreiben", "Write to a P&DF file"};
inline constexpr SdkText BookletProgress{"Rätsel werden berechnet ...",
                                         "Computing the riddles ..."};
inline constexpr SdkText PdfFileTitle{"PDF-Datei speichern", "Save PDF file"};
inline constexpr SdkText PdfFilter{"PDF-Dateien (*.pdf);;Alle Dateien (*)",
                                   "PDF files (*.pdf);;All files (*)"};

// Failures.
inline constexpr SdkText BookletNoRiddle{
    "Es konnte kein Rätsel für das Heft gefunden werden. Bitte prüfen Sie den Vorrat oder die "
    "Erzeugungs-Optionen.",
    "No riddle could be found for the booklet. Please check the stock or the creation "
    "settings."};
inline constexpr SdkText PdfNotWritten{
    "FEHLER: Die PDF-Datei <%1> konnte nicht geschrieben werden.",
    "ERROR: The PDF file <%1> could not be written."};
inline constexpr SdkText PdfWritten{"Die PDF-Datei wurde geschrieben: %1",
                                    "The PDF file has been written: %1"};

} // namespace SdkTx
