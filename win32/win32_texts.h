// The window framework's own French texts: the captions of its boxes and the errors it reports.
#pragma once

namespace talvorne::win32_texts {

inline constexpr char kApplicationTitle[] = "Talvorne";
inline constexpr char kErrorCaption[] = "Erreur";
inline constexpr char kApplicationErrorCaption[] = "Erreur d'application";
inline constexpr char kCloseButton[] = "Fer&mer";
inline constexpr char kProgramPathUnknown[] = "Chemin du programme introuvable";
inline constexpr char kUnknownError[] = "Erreur inattendue";

}  // namespace talvorne::win32_texts
