// The shell's own French texts.
#pragma once

namespace talvorne::texts {

inline constexpr char kStyleName[] = "Iceberg Classico";
inline constexpr char kStyleNotFound[] = "Style '%s' non trouvé";
inline constexpr char kDatePrefix[] = "Du : ";
inline constexpr char kVersionPrefix[] = "Version : ";
inline constexpr char kNoVersionInformation[] = "Les informations de version de sont pas inclues";
inline constexpr char kProgramDateUnreadable[] = "Date du programme illisible";
// The plain message box of a whole record too short to hold a sample: %d is its length L.
inline constexpr char kUnreadableRecord[] =
    "Réponse illisible de l'oscilloscope (%d octets). Le tableau n'a pas changé.";
inline constexpr char kRecordTooLong[] =
    "Enregistrement trop long : %d points par voie (%d au plus)";

// The Save dialog's two file types for the table, its one type for the curve's picture, and why
// either could not be saved: %s is the system's reason, or one of the two below.
inline constexpr char kTextFileType[] = "Texte, séparé par des tabulations (*.txt)";
inline constexpr char kCsvFileType[] = "CSV (*.csv)";
inline constexpr char kCannotSaveTable[] = "Impossible d'enregistrer le tableau : %s";
inline constexpr char kPngFileType[] = "Image PNG (*.png)";
inline constexpr char kCannotSavePicture[] = "Impossible d'enregistrer l'image : %s";
// The Save dialog itself failed: %s is its error code, in hexadecimal.
inline constexpr char kSaveDialogFailed[] = "la boîte d'enregistrement a échoué (code %s)";
// The file to replace stayed held by another program, as a spreadsheet holds the file it shows.
inline constexpr char kFileHeldElsewhere[] =
    "le fichier est peut-être ouvert dans un autre programme. Fermez-le, puis recommencez.";

// The Courbe window: what it says before the first table, and its axes' titles.
inline constexpr char kNoCurveYet[] = "Aucune courbe : cliquez sur « Récupération ».";
inline constexpr char kTimeAxisTitle[] = "t (s)";
inline constexpr char kVoltageAxisTitle[] = "U (mV)";

}  // namespace talvorne::texts
