// One acquisition as a teacher makes it, scripted: Talvorne started from a prepared folder,
// "Connexion" and "Récupération" clicked, the data table awaited, the Courbe window, the "Fichier"
// menu, the debug panel and the about box shown, then "Régressi" clicked and the table awaited in
// the stand-in Zuruzevu. Every wait is bounded, every message box is answered and reported, and
// Talvorne and Zuruzevu are closed in every case.
#pragma once

#include <filesystem>

namespace talvorne::demo {

// Runs it from folder/program and writes the data table to folder/table.txt, the table Zuruzevu
// took from the clipboard to folder/zuruzevu_table.txt and pictures to folder: the main window as
// it opens (main_window.bmp), with the table received (table_received.bmp), with its "Fichier"
// menu open (file_menu.bmp) and with its debug panel (talvorne.bmp), the Courbe window with the
// curve received (courbe.bmp) and the about box (about_box.bmp), telling on standard output what
// happens. Returns 0 when the table arrived whole
// and reached Zuruzevu unchanged, no message box appeared and Talvorne ended with exit code 0.
int RunScriptedAcquisition(const std::filesystem::path& folder);

}  // namespace talvorne::demo
