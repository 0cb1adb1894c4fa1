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

}  // namespace talvorne::texts
