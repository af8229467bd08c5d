#pragma once

// Every user-visible text of the program as a (German, English) pair, chosen by the language
// index: 0 German, 1 English. An unset index (-1) counts as German.

#include <QString>

struct SdkText
{
    const char *german;
    const char *english;
};

inline QString Tx(const SdkText &text, int language)
{
    return QString::fromUtf8(language == 1 ? text.english : text.german);
}

namespace SdkTx {

inline constexpr char Title[] = "N I N E F O L D   S U D O K U";
inline constexpr char Separator[] = "  -  ";
inline constexpr unsigned MinFixNum = 10;
inline constexpr unsigned ProgramVersion = 0x130;

// Title line and counters.
inline constexpr SdkText DefinitionSuffix{"Spieldefinition festlegen", "Edit Game-Definition"};
inline constexpr SdkText EmptyRiddleSuffix{"Kein Rätsel definiert", "No riddle defined"};
inline constexpr SdkText IncompleteRiddleSuffix{
    "Es müssen mindestens $(MINFIXNUM) Fixwerte vorhanden sein",
    "You have to specify at least $(MINFIXNUM) fix-values"};
inline constexpr SdkText CompletedSuffix{"ERFOLGREICH BEENDET!", "SUCCESSFULLY FINISHED!"};
inline constexpr SdkText FixCountLabel{"Anzahl Fix-Nummern", "Fix Nnumber Count"};
inline constexpr SdkText FixLabel{"Fix", "Fix"};
inline constexpr SdkText StepLabel{"Schritt", "Step"};
inline constexpr SdkText ChangedMarker{"ÄND", "CHG"};
inline constexpr SdkText UnchangedMarker{"OK", "OK"};
inline constexpr SdkText PlaybackTitle{"Anzeigen des Lösungswegs ...",
                                       "Viewing the solution steps ..."};

// Buttons that change their role.
inline constexpr SdkText BtNewGame{"Rätseleingabe von Han&d ...", "Edit riddl&e manually ..."};
inline constexpr SdkText BtFinishDefinition{"D&efinition beenden", "Finish d&efinition"};
inline constexpr SdkText BtCreateGame{"Neues &Rätsel ...", "New &riddle ..."};
inline constexpr SdkText BtSolve{"&Lösung berechnen", "Co&mpute solution"};
inline constexpr SdkText BtNextStep{"&Vorschlag", "&Proposal"};
inline constexpr SdkText BtCancel{"Abbre&chen", "&Cancel"};
inline constexpr SdkText BtPleaseWait{"Bitte warten ...", "Please wait ..."};

// Status texts of the timer.
inline constexpr SdkText GameCreated{
    "Ein neues Spiel wurde in der %u. Iteration und im %d. Backtrack-Level erzeugt.",
    "A new game has been created in the %u. iteration and in the %d. backtrack-level."};
inline constexpr SdkText GameNotCreated{"FEHLER: Es konnte kein neues Spiel erzeugt werden.",
                                        "ERROR: A new game could not be created."};
inline constexpr SdkText NoProposal{
    "Kein Ergebnis: Berechnen des nächsten Lösungswerts nicht möglich.",
    "No result: Computing the next result-value not possible."};
inline constexpr SdkText PlaybackStarted{"Darstellen des Lösungswegs gestartet ...",
                                         "Viewing the solution steps started ..."};
inline constexpr SdkText PlaybackImpossible{
    "Kein Ergebnis: Darstellen des Lösungswegs nicht möglich.",
    "No result: Displaying of the solution not possible."};
inline constexpr SdkText Unsolvable{"FEHLER: Das Rätsel ist nicht lösbar.",
                                    "ERROR: The game is unsolvable."};
inline constexpr SdkText ValueNotAccepted{"FEHLER: Wert %s für [%u/%u] fehlgeschlagen.",
                                          "ERROR: Value %s for [%u/%u] not accepted."};
inline constexpr SdkText EmptyDigit{"[LEER]", "[EMPTY]"};
inline constexpr SdkText SolveCancelled{"Lösungsberechnung durch Benutzer abgebrochen.",
                                        "The automated solution has been cancelled by the user."};
inline constexpr SdkText SolveError{
    "FEHLER beim Versuch das Spiel zu lösen in Zeile/Spalte [%u/%u].",
    "ERROR when trying to solve the game in row/column [%u/%u]."};
inline constexpr SdkText NotSolvedCompletely{
    "Das Rätsel konnte nicht vollständig gelöst werden: %u ungelöste Felder.",
    "Could not solve the game completely: %u unsolved fields."};
inline constexpr SdkText GameLoadedReady{"Spiel geladen und bereit zum Lösen.",
                                         "The game has been loaded and is now ready for solving."};
inline constexpr SdkText GameNotLoaded{"FEHLER: Das Spiel konnte nicht geladen werden.",
                                       "ERROR: The game could not be loaded."};
inline constexpr SdkText SetupFixValues{"Geben Sie nun die gewünschten Fix-Werte ein.",
                                        "Please setup your desired fix-values now."};
inline constexpr SdkText GameCompleted{"Das Rätsel wurde erfolgreich und vollständig gelöst.",
                                       "The game has been successfully completed."};

// Status line after a step, and the speed bar.
inline constexpr SdkText ValueDeleted{"Wert gelöscht in Feld Zeile/Spalte: [%u/%u]",
                                      "Value deleted in field row/column: [%u/%u]."};
inline constexpr SdkText ValueSet{"Wert <%1d> gesetzt in Feld Zeile/Spalte: [%u/%u].",
                                  "Value <%1d> set in field row/column: [%u/%u]."};
inline constexpr SdkText UnsolvableField{"FEHLER: Unlösbares Feld in Zeile/Spalte: [%u/%u].",
                                         "ERROR: Unsolvable field row/column: [%u/%u]."};
inline constexpr SdkText ChangingSpeed{"Lösungsgeschwindigkeit ändern: %d",
                                       "Changing the solution speed: %d"};

// Board.
inline constexpr SdkText CandidatesLabel{"Kandidaten:", "Candidates:"};
inline constexpr SdkText NoSolution1{"KEINE", "NO"};
inline constexpr SdkText NoSolution2{"LÖSUNG", "SOLUTION"};
inline constexpr SdkText DoubleResult1{"MEHRFACH-", "DOUBLE-"};
inline constexpr SdkText DoubleResult2{"ERGEBNIS", "RESULT"};

// Play options: the colours of the board.
inline constexpr SdkText BoardColoursLabel{"&Farben des Spielfelds:", "Board co&lours:"};
inline constexpr SdkText BoardColoursStandard{"Standard", "Standard"};
inline constexpr SdkText BoardColoursColourBlind{"Sicher bei Farbenblindheit", "Colour-blind safe"};
inline constexpr SdkText BoardColoursDark{"Dunkel", "Dark"};

// Closing.
inline constexpr SdkText InformationTitle{"Information", "Information"};
inline constexpr SdkText CloseRefusedRunning{
    "<size:4>\n</size><size:11>            <font:Arial><size:16><col:blue><b>$(TITLE) "
    "...</b></size></font><size:4>\n\n</size><size:11><col:lightred><b>            ... kann "
    "nicht beendet werden, solange ein Lösungsprozess oder ein Spielerzeugungsprozess "
    "läuft.</size></b></col></font>",
    "<size:4>\n</size><size:11>            <font:Arial><size:16><col:blue><b>$(TITLE) "
    "...</b></size></font><size:4>\n\n</size><size:11><col:lightred><b>            ... can't "
    "be closed while a solution process or a game-creation process is "
    "running.</size></b></col></font>"};
inline constexpr SdkText CloseRefusedDefinition{
    "<size:4>\n</size><size:11>            <font:Arial><size:16><col:blue><b>$(TITLE) "
    "...</b></size></font><size:4>\n\n</size><size:11><col:lightred><b>            ... kann "
    "nicht beendet werden, solange eine Spieldefinition aktiv ist.</size></b></col></font>",
    "<size:4>\n</size><size:11>            <font:Arial><size:16><col:blue><b>$(TITLE) "
    "...</b></size></font><size:4>\n\n</size><size:11><col:lightred><b>            ... can't "
    "be closed while a game definition is active.</size></b></col></font>"};

// Start-up failures, before any window exists (English only, like the framework's own).
inline constexpr char ResourceNotFound[] = "Resource file <%1> not found!";
inline constexpr char MainWindowFailed[] = "Load of main window <%1> failed!";

} // namespace SdkTx
